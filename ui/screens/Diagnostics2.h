#pragma once
#include "platform/data/CDS_Virt_listener.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_num.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"
#include "ui/screens/Seeder_tanks.h"

#include <array>
#include <memory>

namespace VT {
class Container_obj;
}

// The second live diagnostics page: the raw readings of the liquid pressure
// sensors of tanks 1 to 4, a tank's shown only while it senses pressure.
class Diagnostics2 : public Data_screen {
public:
    static constexpr int tanks = Seeder_tanks::count;

    Diagnostics2(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool deactivate() override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&);

    std::array<Stat_num, tanks> pressures;

private:
    void refresh();

    const Screen_objects objects_;
    std::unique_ptr<CDS::Virt_listener<Diagnostics2>> listener_;
    Screen_links<3> links_;
    std::array<VT::Container_obj*, tanks> columns_{};
};
