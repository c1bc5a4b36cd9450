#pragma once
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Data_screen.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"
#include "vt_pool/Seeder_pool_ids.h"

// The root of the settings: five buttons and the main-screen key, each
// leading to its screen.
class SettingsMenu : public Data_screen {
public:
    SettingsMenu(const char* key, Screen_man* man, const Screen_objects& objects)
        : Data_screen(key, man), objects_(objects)
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override
    {
        const Settings_menu_ids& ids = objects_.ids.settings_menu;
        if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, ids.mask), params, nullptr, 0))
            return false;
        links_.init(this, {{ids.main_key, NULL_ID, "main"},
                           {NULL_ID, ids.seeder_button, "seeder_settings_menu"},
                           {NULL_ID, ids.products_button, "product_settings_menu"},
                           {NULL_ID, ids.alarms_button, "alarm_settings_menu"},
                           {NULL_ID, ids.area_test_button, "area_test_mask"},
                           {NULL_ID, ids.advanced_button, "advanced_settings_mask"}});
        return true;
    }

    bool handle_activator_event(Window::Activator& activator, Window::Activator_event& event) override
    {
        if (event.get_code() == Window::Activator_event::released)
            links_.follow(*this, activator);
        return true;
    }

private:
    const Screen_objects objects_;
    Screen_links<6> links_;
};
