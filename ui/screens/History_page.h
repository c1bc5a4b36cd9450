#pragma once
#include "data_store/Data_store.h"
#include "platform/data/CDS_Virt_listener.h"
#include "platform/ui/Data_screen.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"

#include <cstdint>
#include <memory>

struct History_screen_keys;

// What the three history pages share: the four keys back to the menus, and
// a listener on the store's history that shows each change for as long as
// the page exists, also while another screen is shown. The pages only show
// the history; the control core keeps it.
class History_page : public Data_screen {
public:
    History_page(const char* key, Screen_man* man, const Screen_objects& objects)
        : Data_screen(key, man), objects_(objects)
    {
    }

    // Follows the history, then shows it.
    void post_snapshot_init() override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;
    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event& event);

protected:
    // Binds the mask and the keys; false without a mask.
    bool init_page(VT::vtui_pool* pool, NV_quvel::parameters_t* params, uint16_t mask,
                   const History_screen_keys& keys);
    // Shows the history as the store holds it now and sends what changed.
    virtual void refresh() = 0;
    // One history value, read under the store's lock on its own.
    template <class T>
    T read(const T& field) const
    {
        return objects_.store.head.get(field);
    }
    const ds_history& history() const { return objects_.store.body.history; }

    const Screen_objects objects_;

private:
    Screen_links<4> keys_;
    std::unique_ptr<CDS::Virt_listener<History_page>> listener_;
};
