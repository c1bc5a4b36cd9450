#include "ui/screens/AlarmSettingsMenu.h"

#include "data_store/Data_store.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Rectangle_obj.h"
#include "platform/ui/Bind_object.h"
#include "vt_pool/Seeder_pool_ids.h"

AlarmSettingsMenu::AlarmSettingsMenu(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool AlarmSettingsMenu::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Alarm_settings_menu_ids& ids = objects_.ids.alarm_settings_menu;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, ids.mask), params, nullptr, 0))
        return false;
    links_.init(this, {{ids.settings_key, NULL_ID, "settings_menu"},
                       {ids.main_key, NULL_ID, "main"},
                       {NULL_ID, ids.menu_buttons[0], "fan_alarms_mask"},
                       {NULL_ID, ids.menu_buttons[2], "shaft_alarms_mask"},
                       {NULL_ID, ids.menu_buttons[4], "tank_alarms_mask"},
                       {NULL_ID, ids.menu_buttons[6], "other_alarms_mask"},
                       {NULL_ID, ids.menu_buttons[1], "tank_motor_alarms_mask"},
                       {NULL_ID, ids.menu_buttons[3], "tank_gear_alarms_mask"},
                       {NULL_ID, ids.menu_buttons[5], "tank_pressure_alarms_mask"},
                       {NULL_ID, ids.menu_buttons[7], "no_flow_alarms_mask"}});
    inhibit_key_.init(this, ids.inhibit_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    inhibit_fills_[0] = objects_.ids.main.fill_red;
    inhibit_fills_[1] = objects_.ids.main.fill_green;
    inhibit_mark_.init(UI::bind_object<VT::Rectangle_obj>(pool, ids.rectangle), inhibit_fills_, 2);
    inhibit_indicator_.init(this);
    inhibit_indicator_.add_client(inhibit_mark_);
    return true;
}

bool AlarmSettingsMenu::activate()
{
    const bool shown = Data_screen::activate();
    inhibit_indicator_.set_state(objects_.store.head.get(objects_.store.body.internal.inhibit_vt_alarms));
    return shown;
}

bool AlarmSettingsMenu::handle_activator_event(Window::Activator& activator, Window::Activator_event& event)
{
    if (event.get_code() != Window::Activator_event::released || links_.follow(*this, activator))
        return true;
    if (activator == inhibit_key_) {
        bool& inhibit = objects_.store.body.internal.inhibit_vt_alarms;
        const bool inhibited = !objects_.store.head.get(inhibit);
        objects_.store.head.set(inhibit, inhibited);
        inhibit_indicator_.set_state(inhibited);
    }
    return true;
}
