#include "ui/screens/SeederSettingsMenu.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/ui/Bind_object.h"
#include "vt_pool/Seeder_pool_ids.h"

namespace {

// Only a granular tank whose drive is not an actuator is preloaded.
constexpr uint8_t granular_mode = 0, actuator_drive = 1;

}

SeederSettingsMenu::SeederSettingsMenu(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool SeederSettingsMenu::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Seeder_settings_menu_ids& ids = objects_.ids.seeder_settings_menu;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, ids.mask), params, nullptr, 0))
        return false;
    links_.init(this, {{ids.settings_key, NULL_ID, "settings_menu"},
                       {ids.main_key, NULL_ID, "main"},
                       {NULL_ID, ids.menu_buttons[0], "tank_settings_mask"},
                       {NULL_ID, ids.tank_preload_button, "tank_preload_settings_mask"},
                       {NULL_ID, ids.menu_buttons[1], "external_options_mask"},
                       {NULL_ID, ids.menu_buttons[3], "wheel_calibration_settings_mask"},
                       {NULL_ID, ids.menu_buttons[4], "fan_settings_mask"},
                       {NULL_ID, ids.menu_buttons[5], "width_and_speed_settings_mask"},
                       {NULL_ID, ids.menu_buttons[7], "operating_history_menu_mask"},
                       {NULL_ID, ids.menu_buttons[6], "seeder_brand_mask"},
                       {NULL_ID, ids.menu_buttons[2], "blocked_head_settings_mask"}});
    preload_pointer_ = UI::bind_object<VT::Object_pointer_obj>(pool, ids.pointer);
    preload_button_ = ids.tank_preload_button;
    return true;
}

void SeederSettingsMenu::post_snapshot_init()
{
    for (int tank = 0; tank < 4; ++tank) {
        tank_listeners_[tank] = std::make_unique<NV_store::Virt_listener<SeederSettingsMenu>>(this);
        tank_listeners_[tank]->init(objects_.parameters.app.channels[tank]);
        tank_listeners_[tank]->autoreg(get_waiter(), true);
    }
}

bool SeederSettingsMenu::activate()
{
    show_preload_button();
    return Data_screen::activate();
}

bool SeederSettingsMenu::handle_activator_event(Window::Activator& activator, Window::Activator_event& event)
{
    if (event.get_code() == Window::Activator_event::released)
        links_.follow(*this, activator);
    return true;
}

void SeederSettingsMenu::handle_nv_listener_event(NV_store::Virt_access*)
{
    // Before the pool is on the VT there is no button to show.
    if (objects_.store.head.get(objects_.store.body.system.vt_uploaded))
        show_preload_button();
    send_val_updates(false);
}

void SeederSettingsMenu::show_preload_button()
{
    uint16_t shown = NULL_ID;
    for (int tank = 0; tank < 4; ++tank) {
        const NV_quvel::channel_t& channel = *objects_.parameters.app.channels[tank];
        if (channel.enabled.get() && channel.mode.get() == granular_mode &&
            channel.granular_controller_type.get() != actuator_drive) {
            shown = preload_button_;
            break;
        }
    }
    if (!preload_pointer_)
        return;
    get_pool()->lock_pool();
    preload_pointer_->set_value(shown);
    get_pool()->unlock_pool();
}
