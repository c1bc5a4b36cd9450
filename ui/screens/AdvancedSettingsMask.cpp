#include "ui/screens/AdvancedSettingsMask.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_vtui_pool.h"
#include "platform/ui/Bind_object.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <cstdio>

AdvancedSettingsMask::AdvancedSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool AdvancedSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Advanced_settings_ids& ids = objects_.ids.advanced_settings;
    const Advanced_settings_more_ids& more = objects_.ids.advanced_settings_more;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, more.mask), params, nullptr, 0))
        return false;
    links_.init(this, {{more.main_key, NULL_ID, "main"},
                       {more.settings_key, NULL_ID, "settings_menu"},
                       {NULL_ID, ids.factory_reset_button, "factory_reset_mask"},
                       {NULL_ID, ids.factory_upgrade_button, "factory_upgrade_mask"}});
    switch_vt_.init(this, NULL_ID, ids.switch_vt_button, nullptr, NULL_ID, NULL_ID);
    enable_tc_.init(this, UI::bind_object<VT::Input_list_obj>(pool, more.enable_tc), nullptr, pool, false);
    return true;
}

void AdvancedSettingsMask::post_snapshot_init()
{
    refresh();
}

bool AdvancedSettingsMask::activate()
{
    const bool shown = Data_screen::activate();
    refresh();
    return shown;
}

bool AdvancedSettingsMask::handle_stat_update(Stat* stat)
{
    if (stat == &enable_tc_)
        set_task_controller(enable_tc_.get_item() != 0);
    return true;
}

bool AdvancedSettingsMask::handle_activator_event(Window::Activator& activator, Window::Activator_event& event)
{
    if (event.get_code() != Window::Activator_event::released || links_.follow(*this, activator))
        return true;
    if (activator == switch_vt_ && get_pool()) {
        std::printf("next available VT is %d\r\n", get_pool()->get_next_server_addr());
        std::printf("switch_next_vt() returned %d\r\n", get_pool()->switch_next_server());
        std::fflush(stdout);
    }
    return true;
}

void AdvancedSettingsMask::refresh()
{
    enable_tc_.set_item(objects_.parameters.system.tc_enabled.get() ? 1 : 0);
}

void AdvancedSettingsMask::set_task_controller(bool enabled)
{
    NV_quvel::booms_t& booms = objects_.parameters.app.booms;
    objects_.parameters.system.tc_enabled.set(enabled);
    if (enabled) {
        booms.num_booms.set(1);
        booms.booms[0]->num_sections.set(1);
        for (int b = 1; b < 6; ++b)
            booms.booms[b]->num_sections.set(0);
        booms.booms[0]->sections[0]->width.set(objects_.parameters.app.machine_width.get());
    } else {
        for (int b = 0; b < 6; ++b)
            booms.booms[b]->num_sections.set(0);
        booms.num_booms.set(0);
    }
    objects_.store.head.set(objects_.store.body.system.reset_tc, true);
}
