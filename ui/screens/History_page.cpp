#include "ui/screens/History_page.h"

#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/ui/Bind_object.h"
#include "ui/screens/Screen_listeners.h"
#include "vt_pool/Seeder_pool_ids.h"

bool History_page::init_page(VT::vtui_pool* pool, NV_quvel::parameters_t* params, uint16_t mask,
                             const History_screen_keys& keys)
{
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, mask), params, nullptr, 0))
        return false;
    keys_.init(this, {{keys.history_key, NULL_ID, "operating_history_menu_mask"},
                      {keys.main_key, NULL_ID, "main"},
                      {keys.settings_key, NULL_ID, "settings_menu"},
                      {keys.seeder_key, NULL_ID, "seeder_settings_menu"}});
    return true;
}

void History_page::post_snapshot_init()
{
    listener_ = Screen_listeners::follow(*this, objects_.store.head, objects_.store.body.history);
    refresh();
}

void History_page::handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&)
{
    if (listener == listener_.get())
        refresh();
}

bool History_page::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    keys_.handle(*this, a, e);
    return true;
}
