#include "ui/screens/ActuatorDiagnostics.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/ui/Bind_object.h"
#include "ui/screens/Diagnostics_pages.h"
#include "ui/screens/Screen_listeners.h"
#include "ui/screens/Screen_vt.h"
#include "vt_pool/Seeder_pool_ids.h"

namespace {

// Periods come in microseconds and show in milliseconds; counts and sensor
// readings show as they come; a drive output as a percentage of its full
// scale of 255.
const Stat_num_format tenths(0, 0.1, 1), whole(0, 1.0, 0);
constexpr double us_per_ms = 1000.0;
constexpr float full_scale = 255.0f;

}

ActuatorDiagnostics::ActuatorDiagnostics(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

bool ActuatorDiagnostics::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Actuator_diagnostics_ids& own = objects_.ids.actuator_diagnostics;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
        return false;
    links_.init(this, {{own.main_key, NULL_ID, "main"},
                       {own.system_info_key, NULL_ID, "system_info_mask"},
                       {own.toggle_key, NULL_ID, "diagnostics2"},
                       {own.blocked_head_key, NULL_ID, "blocked_head_diags_mask"}});
    reset_key_.init(this, own.reset_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    plain_keys_ = own.plain_keys;
    toggle_keys_ = own.toggle_keys;

    const auto bind = [&](Stat_num& stat, uint16_t id, const Stat_num_format& format) {
        stat.init(this, UI::bind_object<VT::Output_number_obj>(pool, id), format, format, 1000, pool);
    };
    bind(ground_speed_period, own.ground_speed_period, tenths);
    bind(ground_speed_pulses, own.ground_speed_pulses, whole);
    for (int t = 0; t < tanks; ++t) {
        bind(shaft_periods[t], own.shaft_periods[t], tenths);
        bind(shaft_pulses[t], own.shaft_pulses[t], whole);
        bind(drive_outputs[t], own.drive_outputs[t], tenths);
        bind(motor_currents[t], own.motor_currents[t], tenths);
        drive_pointers_[t] = UI::bind_object<VT::Object_pointer_obj>(pool, own.drive_pointers[t]);
        current_pointers_[t] = UI::bind_object<VT::Object_pointer_obj>(pool, own.current_pointers[t]);
        drive_output_ids_[t] = own.drive_outputs[t];
        motor_current_ids_[t] = own.motor_currents[t];
        act_labels_[t] = UI::bind_object<VT::Container_obj>(pool, own.act_labels[t]);
        elec_labels_[t] = UI::bind_object<VT::Container_obj>(pool, own.elec_labels[t]);
        pv_labels_[t] = UI::bind_object<VT::Container_obj>(pool, own.pv_labels[t]);
        shaft_rows_[t] = UI::bind_object<VT::Container_obj>(pool, own.shaft_rows[t]);
        bin_rows_[t] = UI::bind_object<VT::Container_obj>(pool, own.bin_rows[t]);
        bin_empty_[t] = UI::bind_object<VT::Container_obj>(pool, own.bin_empty[t]);
        bin_full_[t] = UI::bind_object<VT::Container_obj>(pool, own.bin_full[t]);
    }
    for (int f = 0; f < fans; ++f) {
        bind(fan_periods[f], own.fan_periods[f], tenths);
        bind(fan_pulses[f], own.fan_pulses[f], whole);
        bind(fan_sensors[f], own.fan_sensors[f], whole);
        fan_rows_[f] = UI::bind_object<VT::Container_obj>(pool, own.fan_rows[f]);
        fan_pointers_[f] = UI::bind_object<VT::Object_pointer_obj>(pool, own.fan_pointers[f]);
        fan_values_[f] = own.fan_values[f];
    }
    return true;
}

void ActuatorDiagnostics::post_snapshot_init()
{
    listener_ = Screen_listeners::follow(*this, objects_.store.head, objects_.store.body.diagnostics);
    refresh();
}

void ActuatorDiagnostics::refresh()
{
    CDS::Head& head = objects_.store.head;
    const ds_diagnostics& diags = objects_.store.body.diagnostics;
    for (int t = 0; t < tanks; ++t) {
        const float output = float(head.get(diags.actuator[t].adc.adc_val));
        drive_outputs[t].set_val(double(output * 100.0f / full_scale));
        shaft_periods[t].set_val(head.get(diags.shaft[t].period) / us_per_ms);
        shaft_pulses[t].set_val(head.get(diags.shaft[t].pulse_count));
        const bool full = head.get(diags.level_sensor_on[t]);
        motor_currents[t].set_val(double(head.get(objects_.store.body.channels.channels[t].motor_current)));
        Screen_vt::set_hidden(*this, bin_full_[t], !full);
        Screen_vt::set_hidden(*this, bin_empty_[t], full);
    }
    for (int f = 0; f < fans; ++f) {
        fan_sensors[f].set_val(head.get(diags.fans[f].adc.adc_val));
        fan_periods[f].set_val(head.get(diags.fans[f].shaft.period) / us_per_ms);
        fan_pulses[f].set_val(head.get(diags.fans[f].shaft.pulse_count));
    }
    ground_speed_period.set_val(head.get(diags.ground_speed.period) / us_per_ms);
    ground_speed_pulses.set_val(head.get(diags.ground_speed.pulse_count));
    send_val_updates(false);
}

void ActuatorDiagnostics::show_rows()
{
    NV_quvel::application_t& app = objects_.parameters.app;
    VT::vtui_pool* pool = get_pool();
    const auto point = [pool](VT::Object_pointer_obj* pointer, uint16_t target) {
        if (!pointer || !pool)
            return;
        pool->lock_pool();
        pointer->set_value(target);
        pool->unlock_pool();
    };
    for (int f = 0; f < fans; ++f) {
        const bool enabled = app.fans[f]->enabled.get();
        Screen_vt::set_hidden(*this, fan_rows_[f], !enabled);
        point(fan_pointers_[f], enabled ? fan_values_[f] : NULL_ID);
    }
    bool pressure_page = false;
    for (int t = 0; t < tanks; ++t) {
        const NV_quvel::channel_t& channel = Seeder_tanks::channel(objects_.parameters, t);
        const bool enabled = channel.enabled.get();
        const uint8_t drive = channel.granular_controller_type.get();
        // The motor current belongs to the drive's row: an electric drive's
        // tank out of use shows no current either.
        point(drive_pointers_[t], enabled ? drive_output_ids_[t] : NULL_ID);
        point(current_pointers_[t], enabled && drive == Seeder_tanks::electric_drive ? motor_current_ids_[t] : NULL_ID);
        Screen_vt::set_hidden(*this, act_labels_[t], !(enabled && drive == Seeder_tanks::actuator_drive));
        Screen_vt::set_hidden(*this, elec_labels_[t], !(enabled && drive == Seeder_tanks::electric_drive));
        Screen_vt::set_hidden(*this, pv_labels_[t], !(enabled && drive == Seeder_tanks::prop_valve_drive));
        Screen_vt::set_hidden(*this, shaft_rows_[t], !enabled);
        Screen_vt::set_hidden(*this, bin_rows_[t], !enabled);
        pressure_page = pressure_page || Diagnostics_pages::senses_pressure(channel);
    }
    if (get_mask() && pool) {
        pool->lock_pool();
        get_mask()->set_soft_key_mask(pressure_page ? toggle_keys_ : plain_keys_);
        pool->unlock_pool();
    }
}

bool ActuatorDiagnostics::activate()
{
    const bool done = Data_screen::activate();
    show_rows();
    Diagnostics_pages::set_showing(objects_.store, is_shown());
    refresh();
    return done;
}

bool ActuatorDiagnostics::deactivate()
{
    const bool done = Data_screen::deactivate();
    Diagnostics_pages::set_showing(objects_.store, false);
    return done;
}

void ActuatorDiagnostics::handle_virt_listener_event(CDS::Virt_access* listener, waiter_event&)
{
    if (listener == listener_.get())
        refresh();
}

bool ActuatorDiagnostics::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    if (links_.handle(*this, a, e))
        return true;
    if (a == reset_key_ && e.get_code() == Window::Activator_event::released)
        objects_.store.head.set(objects_.store.body.operation.reset_diag_data, true);
    return true;
}
