#include "ui/screens/ExternalOptionsMask.h"

#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"
#include "ui/screens/Calibration_drive_channel.h"
#include "ui/screens/Screen_vt.h"
#include "vt_pool/Seeder_pool_ids.h"

namespace {

// The master-switch source the cabin switch box provides.
constexpr uint8_t switch_box_master = 1;

}

ExternalOptionsMask::ExternalOptionsMask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
    master_switch_items.fill(NULL_ID);
    cal_drive_items.fill(NULL_ID);
}

bool ExternalOptionsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const External_options_ids& own = objects_.ids.external_options;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
        return false;
    seeder_key.init(this, own.seeder_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    settings_key.init(this, own.settings_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    main_key.init(this, own.main_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    master_switch_list = UI::bind_object<VT::Input_list_obj>(pool, own.master_switch);
    cal_drive_list = UI::bind_object<VT::Input_list_obj>(pool, own.cal_drive);
    const std::pair<Stat_list*, VT::Input_list_obj*> lists[] = {
        {&master_switch, master_switch_list},
        {&cabin_switch_box, UI::bind_object<VT::Input_list_obj>(pool, own.cabin_switch_box)},
        {&cal_switch_box, UI::bind_object<VT::Input_list_obj>(pool, own.cal_switch_box)},
        {&cal_drive, cal_drive_list},
        {&master_clutch, UI::bind_object<VT::Input_list_obj>(pool, own.master_clutch)},
        {&act_cal_style, UI::bind_object<VT::Input_list_obj>(pool, own.act_cal_style)},
    };
    for (const auto& [stat, list] : lists) {
        stat->init(this, list, nullptr, pool, false);
        stat->set_editable(true);
    }
    for (size_t i = 0; i < master_switch_items.size(); ++i)
        master_switch_items[i] = own.master_switch_items[i];
    for (size_t i = 0; i < cal_drive_items.size(); ++i)
        cal_drive_items[i] = own.cal_drive_items[i];
    cal_drive_row = UI::bind_object<VT::Container_obj>(pool, own.cal_drive_row);
    master_clutch_row = UI::bind_object<VT::Container_obj>(pool, own.master_clutch_row);
    act_cal_style_row = UI::bind_object<VT::Container_obj>(pool, own.act_cal_style_row);
    return true;
}

void ExternalOptionsMask::post_snapshot_init()
{
    for (int t = 0; t < tanks; ++t) {
        nv_listener[t] = std::make_unique<Nv_listener>(this);
        nv_listener[t]->init(&Seeder_tanks::channel(objects_.parameters, t));
        nv_listener[t]->autoreg(get_waiter(), true);
    }
    refresh_lists();
}

bool ExternalOptionsMask::activate()
{
    const bool shown = Data_screen::activate();
    show_actuator_rows();
    refresh_lists();
    return shown;
}

void ExternalOptionsMask::apply_master_switch_rule()
{
    if (!objects_.store.head.get(objects_.store.body.system.vt_uploaded))
        return;
    NV_quvel::application_t& app = objects_.parameters.app;
    if (app.swbox_external_swbox_type.get() != 0) {
        Screen_vt::set_list_entry(*this, master_switch_list, switch_box_master,
                                  master_switch_items[switch_box_master]);
        return;
    }
    if (app.swbox_remote_master_mode.get() == switch_box_master) {
        master_switch.set_item(0);
        app.swbox_remote_master_mode.set(0);
    }
    Screen_vt::set_list_entry(*this, master_switch_list, switch_box_master, NULL_ID);
}

void ExternalOptionsMask::show_actuator_rows()
{
    bool actuator_tank = false;
    for (int t = 0; t < tanks && !actuator_tank; ++t) {
        const NV_quvel::channel_t& c = Seeder_tanks::channel(objects_.parameters, t);
        actuator_tank = c.enabled.get() && c.mode.get() == Seeder_tanks::granular
                        && c.granular_controller_type.get() == Seeder_tanks::actuator_drive;
    }
    Screen_vt::set_hidden(*this, cal_drive_row, !actuator_tank);
    Screen_vt::set_hidden(*this, master_clutch_row, !actuator_tank);
    Screen_vt::set_hidden(*this, act_cal_style_row, !actuator_tank);
}

void ExternalOptionsMask::refresh_lists()
{
    NV_quvel::application_t& app = objects_.parameters.app;
    apply_master_switch_rule();
    master_switch.set_item(app.swbox_remote_master_mode.get());
    cal_switch_box.set_item(app.swbox_cal_swbox_type.get());
    cabin_switch_box.set_item(app.swbox_external_swbox_type.get() != 0 ? 1 : 0);
    for (int t = 0; t < tanks; ++t) {
        const bool allowed = calibration_drive_channel_allowed(objects_.parameters, t);
        Screen_vt::set_list_entry(*this, cal_drive_list, uint8_t(t + 1), allowed ? cal_drive_items[t + 1] : NULL_ID);
    }
    // A channel beyond the list's drives leaves the list as it is.
    const int drive = app.calibration_drive_channel.get();
    if (drive >= -1)
        cal_drive.set_item(uint16_t(drive + 1));
    master_clutch.set_item(app.using_master_clutch.get() ? 1 : 0);
    act_cal_style.set_item(Seeder_tanks::channel(objects_.parameters, 0).act_cal_mode.get());
}

void ExternalOptionsMask::handle_nv_listener_event(NV_store::Virt_access*)
{
    show_actuator_rows();
    send_val_updates(false);
}

bool ExternalOptionsMask::handle_stat_update(Stat* s)
{
    NV_quvel::application_t& app = objects_.parameters.app;
    if (s == &master_switch) {
        app.swbox_remote_master_mode.set(uint8_t(master_switch.get_item()));
    } else if (s == &cabin_switch_box) {
        app.swbox_external_swbox_type.set(cabin_switch_box.get_item() != 0 ? 1 : 0);
        apply_master_switch_rule();
    } else if (s == &cal_switch_box) {
        app.swbox_cal_swbox_type.set(uint8_t(cal_switch_box.get_item()));
    } else if (s == &cal_drive) {
        app.calibration_drive_channel.set(int8_t(cal_drive.get_item() - 1));
    } else if (s == &master_clutch) {
        app.using_master_clutch.set(master_clutch.get_item() != 0);
    } else if (s == &act_cal_style) {
        for (int t = 0; t < tanks; ++t)
            Seeder_tanks::channel(objects_.parameters, t).act_cal_mode.set(uint8_t(act_cal_style.get_item()));
    }
    return false;
}

bool ExternalOptionsMask::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    if (e.get_code() != Window::Activator_event::released)
        return true;
    if (a == main_key)
        get_man()->switch_to_screen("main");
    else if (a == settings_key)
        get_man()->switch_to_screen("settings_menu");
    else if (a == seeder_key)
        get_man()->switch_to_screen("seeder_settings_menu");
    return true;
}
