#pragma once
#include "platform/data/CDS_Virt_listener.h"
#include "platform/ui/Data_screen.h"
#include "ui/screens/Screen_objects.h"

#include <memory>

namespace NV_quvel {
class channel_t;
}

// A live diagnostics page: redrawn on every change of the store's
// diagnostics block, shown or not, and publishing while it is up that a
// diagnostics page is shown, for the control core. Switching between two
// pages clears the flag and sets it again.
class Diagnostics_page : public Data_screen {
public:
    Diagnostics_page(const char* key, Screen_man* man, const Screen_objects& objects);

    void post_snapshot_init() override;
    // Shows the rows of the parameters, then the flag and the figures.
    bool activate() override;
    bool deactivate() override;

    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&);

    // A liquid or NH3 tank in use whose pressure sensor is fitted.
    static bool senses_pressure(const NV_quvel::channel_t& channel);

protected:
    // The store's figures onto the page.
    virtual void refresh() = 0;
    // The rows of the fans and tanks in use.
    virtual void show_rows() = 0;

    const Screen_objects objects_;

private:
    void set_showing(bool showing);

    std::unique_ptr<CDS::Virt_listener<Diagnostics_page>> listener_;
};
