#include "ui/screens/MultiTankCal1Mask.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_Rectangle_obj.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"
#include "ui/screens/Multi_tank_cal.h"
#include "ui/screens/Screen_listeners.h"
#include "ui/screens/Screen_vt.h"
#include "ui/screens/Seeder_tanks.h"
#include "vt_pool/Seeder_pool_ids.h"

MultiTankCal1Mask::MultiTankCal1Mask(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool MultiTankCal1Mask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Multi_tank_cal1_ids& ids = objects_.ids.multi_tank_cal1;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, ids.mask), params, nullptr, 0))
        return false;
    slot_keys_ = {ids.product_settings_key, ids.main_key,   ids.next_key,
                  ids.reset_key,            ids.master_key, ids.cal_style_key};
    Window::Activator* keys[] = {&product_settings_, &main_screen_, &next_, &reset_, &master_, &cal_style_};
    for (size_t k = 0; k < slot_keys_.size(); ++k) {
        keys[k]->init(this, slot_keys_[k], NULL_ID, nullptr, NULL_ID, NULL_ID);
        key_slots_[k] = UI::bind_object<VT::Object_pointer_obj>(pool, ids.key_slots[k]);
    }
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        Row& row = rows_[t];
        row.row = UI::bind_object<VT::Container_obj>(pool, ids.rows[t]);
        row.rate_group = UI::bind_object<VT::Container_obj>(pool, ids.rate_groups[t]);
        row.preset_group = UI::bind_object<VT::Container_obj>(pool, ids.preset_groups[t]);
        row.off_group = UI::bind_object<VT::Container_obj>(pool, ids.off_groups[t]);
        row.on_group = UI::bind_object<VT::Container_obj>(pool, ids.on_groups[t]);
        row.off.init(this, NULL_ID, ids.off_buttons[t], nullptr, NULL_ID, NULL_ID);
        row.on.init(this, NULL_ID, ids.on_buttons[t], nullptr, NULL_ID, NULL_ID);

        target[t].init(this, UI::bind_object<VT::Input_number_obj>(pool, ids.targets[t]), Stat_num_format(18, 0.1, 1),
                       Stat_num_format(18, 0.11208511561944565, 1), 200, pool);
        target[t].set_range(0, 99999);
        preset[t].init(this, UI::bind_object<VT::Input_number_obj>(pool, ids.preset_inputs[t]),
                       UI::bind_object<VT::Output_number_obj>(pool, ids.preset_outputs[t]),
                       UI::bind_object<VT::Object_pointer_obj>(pool, ids.preset_pointers[t]),
                       UI::bind_object<VT::Number_variable_obj>(pool, ids.preset_variables[t]),
                       Stat_num_format(0, 1.0, 0), Stat_num_format(0, 1.0, 0), 200, pool);
        preset[t].set_range(1, 100);
        estimate[t].init(this, UI::bind_object<VT::Output_number_obj>(pool, ids.estimated_weights[t]),
                         Stat_num_format(15, 0.1, 1), Stat_num_format(15, 0.0045359237, 2), 200, pool);
        revs[t].init(this, UI::bind_object<VT::Output_number_obj>(pool, ids.revs[t]), Stat_num_format(0, 0.1, 1),
                     Stat_num_format(0, 0.1, 1), 200, pool);
        load[t].init(this, UI::bind_object<VT::Output_number_obj>(pool, ids.loads[t]), Stat_num_format(0, 0.1, 1),
                     Stat_num_format(0, 0.1, 1), 200, pool);
        name[t].init(this, UI::bind_object<VT::Output_string_obj>(pool, ids.names[t]), pool,
                     Multi_tank_cal::name_length);
    }
    on_off_fills_ = {objects_.ids.main.fill_red, objects_.ids.main.fill_green};
    master_client_.init(UI::bind_object<VT::Rectangle_obj>(pool, ids.master_indicator), on_off_fills_.data(), 2);
    master_indicator_.init(this);
    master_indicator_.add_client(master_client_);
    return true;
}

void MultiTankCal1Mask::post_snapshot_init()
{
    data_store_body& body = objects_.store.body;
    operation_listener_ = Screen_listeners::follow(*this, objects_.store.head, body.operation);
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        channel_listeners_[t] = Screen_listeners::follow(*this, objects_.store.head, body.channels.channels[t]);
        Multi_tank_cal::show_row(*this, objects_, t, rows_[t].row, name[t]);
        target[t].set_val(objects_.store.head.get(body.channels.channels[t].requested_rate));
        show_switch(t);
    }
    master_indicator_.set_state(objects_.store.head.get(body.operation.master_switch_active) ? 1 : 0);
}

bool MultiTankCal1Mask::activate()
{
    const bool shown = Data_screen::activate();
    data_store_body& body = objects_.store.body;
    NV_quvel::application_t& app = objects_.parameters.app;
    // A run left by the screen's keys starts afresh; an interrupted one goes on.
    const bool fresh = !run_open_;
    run_open_ = true;

    bool actuator_taking_part = false;
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        const NV_quvel::channel_t& channel = Seeder_tanks::channel(objects_.parameters, t);
        if (Multi_tank_cal::takes_part(objects_, t) &&
            channel.granular_controller_type.get() == Seeder_tanks::actuator_drive)
            actuator_taking_part = true;
    }
    for (size_t k = 0; k < key_slots_.size(); ++k) {
        const bool offered = k + 1 < key_slots_.size() || actuator_taking_part;
        Screen_vt::set_pointer(*this, key_slots_[k], offered ? slot_keys_[k] : NULL_ID);
    }

    submit_timeout(timer_, period_ms);
    saved_clutch_ = app.using_master_clutch.get();
    if (fresh)
        reset_counts();
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        const NV_quvel::channel_t& channel = Seeder_tanks::channel(objects_.parameters, t);
        const bool taking_part = Multi_tank_cal::takes_part(objects_, t);
        target[t].set_editable(true);
        preset[t].set_editable(true);
        preset[t].set_val(app.cal_to_preset_value.get());
        show_alternatives(t);
        show_switch(t);
        marked_[t] = taking_part;
        if (taking_part)
            objects_.store.head.set(body.operation.tank[t].calibrating_tank, true);
        // An actuator tank calibrated by its rate needs the master clutch left alone.
        if (saved_clutch_ && channel.act_cal_mode.get() == 0 &&
            channel.granular_controller_type.get() == Seeder_tanks::actuator_drive)
            app.using_master_clutch.set(false);
        Multi_tank_cal::show_row(*this, objects_, t, rows_[t].row, name[t]);
        target[t].set_val(objects_.store.head.get(body.channels.channels[t].requested_rate));
    }
    show_counts();
    objects_.store.head.set(body.operation.calibration_state, int32_t(1));
    return shown;
}

bool MultiTankCal1Mask::deactivate()
{
    const bool hidden = Data_screen::deactivate();
    remove_timeout(timer_);
    ds_operation& operation = objects_.store.body.operation;
    for (int t = 0; t < Seeder_tanks::count; ++t)
        if (marked_[t])
            objects_.store.head.set(operation.tank[t].calibrating_tank, false);
    marked_ = {};
    objects_.store.head.set(operation.calibration_state, int32_t(0));
    objects_.parameters.app.using_master_clutch.set(saved_clutch_);
    return hidden;
}

bool MultiTankCal1Mask::send_timeout(Timeout& t)
{
    if (&t == &timer_) {
        show_counts();
        send_val_updates(false);
    }
    return true;
}

bool MultiTankCal1Mask::handle_stat_update(Stat* stat)
{
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        if (stat == &target[t]) {
            objects_.store.head.set(objects_.store.body.channels.channels[t].requested_rate, target[t].get_val());
            return true;
        }
        if (stat == &preset[t]) {
            objects_.parameters.app.cal_to_preset_value.set(uint8_t(preset[t].get_val()));
            return true;
        }
    }
    return false;
}

bool MultiTankCal1Mask::handle_activator_event(Window::Activator& activator, Window::Activator_event& event)
{
    if (event.get_code() != Window::Activator_event::released)
        return true;
    data_store_body& body = objects_.store.body;
    NV_quvel::application_t& app = objects_.parameters.app;
    if (activator == product_settings_) {
        leave("product_settings_menu");
    } else if (activator == main_screen_) {
        leave("main");
    } else if (activator == next_) {
        // The counts up to now, not only those of the last refresh.
        show_counts();
        for (int t = 0; t < Seeder_tanks::count; ++t) {
            ds_channel& channel = body.channels.channels[t];
            objects_.store.head.set(channel.cal_est_weight, float(estimate[t].get_val()));
            objects_.store.head.set(channel.cal_act_revs, float(revs[t].get_val()));
            objects_.store.head.set(channel.cal_act_weight, -1.0f);
        }
        leave("multi_tank_cal_2_mask");
    } else if (activator == reset_) {
        reset_counts();
        show_counts();
    } else if (activator == master_) {
        if (app.swbox_remote_master_mode.get() == 0)
            objects_.store.head.set(body.operation.master_switch_active,
                                    !objects_.store.head.get(body.operation.master_switch_active));
    } else if (activator == cal_style_) {
        style_ = !style_;
        for (int t = 0; t < Seeder_tanks::count; ++t)
            show_alternatives(t);
    } else {
        const bool tank_switches_free = app.swbox_cal_swbox_type.get() != switch_box_with_tank_switches;
        for (int t = 0; t < Seeder_tanks::count && tank_switches_free; ++t) {
            if (activator == rows_[t].off || activator == rows_[t].on) {
                objects_.store.head.set(body.channels.channels[t].active, activator == rows_[t].off);
                show_switch(t);
            }
        }
    }
    return true;
}

void MultiTankCal1Mask::handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&)
{
    if (listener == operation_listener_.get())
        master_indicator_.set_state(
            objects_.store.head.get(objects_.store.body.operation.master_switch_active) ? 1 : 0);
    for (int t = 0; t < Seeder_tanks::count; ++t)
        if (listener == channel_listeners_[t].get())
            show_switch(t);
    send_val_updates(false);
}

void MultiTankCal1Mask::show_switch(int tank)
{
    const bool on = objects_.store.head.get(objects_.store.body.channels.channels[tank].active);
    Screen_vt::set_hidden(*this, rows_[tank].off_group, on);
    Screen_vt::set_hidden(*this, rows_[tank].on_group, !on);
}

void MultiTankCal1Mask::show_alternatives(int tank)
{
    const uint8_t drive = Seeder_tanks::channel(objects_.parameters, tank).granular_controller_type.get();
    const bool preset_shown = drive == Seeder_tanks::actuator_drive && !style_;
    Screen_vt::set_hidden(*this, rows_[tank].rate_group, preset_shown);
    Screen_vt::set_hidden(*this, rows_[tank].preset_group, !preset_shown);
}

void MultiTankCal1Mask::show_counts()
{
    data_store_body& body = objects_.store.body;
    for (int t = 0; t < Seeder_tanks::count; ++t) {
        const ds_channel& channel = body.channels.channels[t];
        const float ratio = objects_.store.head.get(channel.encoder_ratio);
        const uint32_t pulses = objects_.store.head.get(body.diagnostics.shaft[t].pulse_count);
        const double turns = ratio == 0 ? 0.0 : pulses / double(ratio);
        revs[t].set_val(turns);
        estimate[t].set_val(Seeder_tanks::channel(objects_.parameters, t).cal_setting.get() * turns);
        load[t].set_val(objects_.store.head.get(channel.motor_load));
    }
}

void MultiTankCal1Mask::reset_counts()
{
    for (int t = 0; t < Seeder_tanks::count; ++t)
        objects_.store.head.set(objects_.store.body.diagnostics.shaft[t].pulse_count, uint32_t(0));
}

void MultiTankCal1Mask::leave(const char* key)
{
    run_open_ = false;
    get_man()->switch_to_screen(key);
}
