#pragma once
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Data_screen.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"
#include "vt_pool/Seeder_pool_ids.h"

// The way to the three history pages: totals, shafts and fans.
class OperatingHistoryMenuMask : public Data_screen {
public:
    OperatingHistoryMenuMask(const char* key, Screen_man* man, const Screen_objects& objects)
        : Data_screen(key, man), objects_(objects)
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override
    {
        const Operating_history_menu_ids& own = objects_.ids.operating_history_menu;
        if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
            return false;
        links_.init(this, {{own.main_key, NULL_ID, "main"},
                           {own.settings_key, NULL_ID, "settings_menu"},
                           {own.seeder_key, NULL_ID, "seeder_settings_menu"},
                           {NULL_ID, own.menu_buttons[0], "totals_history_mask"},
                           {NULL_ID, own.menu_buttons[1], "shafts_history_mask"},
                           {NULL_ID, own.menu_buttons[2], "fans_history_mask"}});
        return true;
    }

    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override
    {
        links_.handle(*this, a, e);
        return true;
    }

private:
    const Screen_objects objects_;
    Screen_links<6> links_;
};
