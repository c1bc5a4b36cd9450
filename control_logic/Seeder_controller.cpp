#include "control_logic/Seeder_controller.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"

#include <cmath>
#include <limits>

namespace {

constexpr uint32_t settle_ticks = 30;
constexpr uint8_t mismatch_ticks = 10;
constexpr uint8_t pulsed_ticks = 9;

}

Seeder_controller::Seeder_controller(Data_store& store, NV_quvel::parameters_t& parameters)
    : store_(store), parameters_(parameters), queries_(store, app_), meter_mark_(Atime::now())
{
    // The master's last second: a preload is asked for while some of it was off.
    master_delay_.set_times(1.0, 1.0);
    refresh_parameters();
    // The store starts at zero: the saved totals go back in first, or the
    // next save would overwrite them.
    copy_totals(false);
}

void Seeder_controller::refresh_parameters()
{
    app_.assign_locked(parameters_.app);
    const uint8_t source = app_.speed_source.get();
    if (speed_source_known_ && source == speed_source_)
        return;
    put(store_.body.operation.use_manual_speed, source == 3);
    speed_source_ = source;
    speed_source_known_ = true;
    ground_speed_step();
}

void Seeder_controller::tick_1s()
{
    alarms_.delay_step();
    put(store_.body.system.ip_address, system_info_.get_ip_address());
    ++seconds_;
    minute_flag_ = seconds_ % 60 == 0;
}

void Seeder_controller::tick_500ms()
{
    ground_speed_step();
    preload_countdown_step();
    actual_rate_step();
    downforce_feedback();
    area_step();
    product_totals_step();
    fan_step();
    liquid_pressure_step();
    clear_motor_currents();
    section_drive_debounce();
    section_settle_step();
    pulsed_monitor_debounce();
    alarms_.evaluate();
    update_delay_times();
    disable_channels();
    runtime_meter();
}

void Seeder_controller::tick_100ms()
{
    product_targets();
    downforce_targets();
    boom_section_step();
}

void Seeder_controller::save_totals()
{
    copy_totals(true);
}

void Seeder_controller::copy_totals(bool to_parameters)
{
    if (get(store_.body.system.non_vtt_connected))
        return;
    auto copy = [this, to_parameters](float& item, NV_quvel::nv_float& parameter) {
        if (to_parameters)
            parameter.set(get(item));
        else
            put(item, parameter.get());
    };
    NV_quvel::application_t& live = parameters_.app;
    ds_areas& areas = store_.body.areas;
    ds_volumes& volumes = store_.body.volumes;
    for (int i = 0; i < num_channels; ++i) {
        for (int k = 0; k < 10; ++k) {
            copy(areas.sub_area[i][k], live.areas.channel[i]->sub_area[k]->total);
            copy(volumes.sub_volume[i][k], live.volumes.channel[i]->sub_area[k]->total);
        }
        double& remaining = store_.body.channels.channels[i].remaining_volume;
        if (to_parameters)
            live.channels[i]->remaining.set(float(get(remaining)));
        else
            put(remaining, double(live.channels[i]->remaining.get()));
    }
    copy(areas.area[0].total, live.areas.area[0]->total);
    copy(volumes.volume[0].total, live.volumes.volume[0]->total);

    ds_history& history = store_.body.history;
    copy(history.job_operating_time, live.job_operating_time);
    copy(history.machine_operating_area, live.history.machine_operating_area);
    copy(history.machine_operating_distance, live.history.machine_operating_distance);
    copy(history.machine_operating_time, live.history.machine_operating_time);
    copy(history.max_speed, live.history.max_speed);
    for (int i = 0; i < num_channels; ++i) {
        copy(history.output[i], live.history.output[i]->total);
        copy(history.shaft_max_speed[i], live.history.shaft_max_speed[i]->value);
    }
    for (int k = 0; k < num_fans; ++k) {
        copy(history.fan_max_speed[k], live.history.fan_max_speed[k]->value);
        copy(history.fan_avg_speed[k], live.history.fan_avg_speed[k]->value);
    }
    for (int k = 0; k < 4; ++k) {
        copy(history.fan_max_pressure[k], live.history.fan_max_pressure[k]->value);
        copy(history.fan_avg_pressure[k], live.history.fan_avg_pressure[k]->value);
    }
}

void Seeder_controller::calibration_state_changed()
{
    apply_boom_states();
    if (app_.swbox_cal_swbox_type.get() != 0 && get(store_.body.operation.calibration_state) == 0)
        put(store_.body.operation.master_switch_active, false);
}

void Seeder_controller::apply_boom_states()
{
    for (int b = 0; b < num_booms; ++b)
        boom_state_changed(b);
}

void Seeder_controller::reset_diag_data()
{
    if (!get(store_.body.operation.reset_diag_data))
        return;
    for (ds_channel& channel : store_.body.channels.channels) {
        put(channel.min_rate, 1000000.0);
        put(channel.max_rate, 0.0);
        put(channel.min_rate_error, 0.0f);
        put(channel.max_rate_error, 0.0f);
    }
    ds_diagnostics& diagnostics = store_.body.diagnostics;
    for (ds_shaft& shaft : diagnostics.shaft) {
        put(shaft.period, 0u);
        put(shaft.pulse_count, 0u);
    }
    put(diagnostics.comms, ds_comms_diags{});
}

void Seeder_controller::reset_pulse_count(int channel)
{
    put(store_.body.channels.channels[channel].reset_pulse_count, false);
    put(store_.body.diagnostics.shaft[channel].pulse_count, 0u);
}

void Seeder_controller::copy_section_state(int boom, int section)
{
    ds_boom& record = store_.body.booms.boom[boom];
    if (!get(record.ignore_ASC))
        return;
    ds_section& s = record.sections[section];
    put(s.cached_state, get(s.switch_state));
}

void Seeder_controller::inhibit_master()
{
    if (get(store_.body.operation.inhibit_master_switch))
        put(store_.body.operation.master_switch_active, false);
}

void Seeder_controller::restart_section_settle()
{
    if (section_settle_ == 0)
        put(store_.body.section_monitors.sections_settled, false);
    section_settle_ = settle_ticks;
}

int32_t Seeder_controller::round_half_up(double x)
{
    const double r = std::floor(x + 0.5);
    if (std::isnan(r))
        return 0;
    if (r >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (r <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return int32_t(r);
}

uint32_t Seeder_controller::to_u32(double x)
{
    if (!(x > 0.0))
        return 0;
    if (x >= double(std::numeric_limits<uint32_t>::max()))
        return std::numeric_limits<uint32_t>::max();
    return uint32_t(x);
}

double Seeder_controller::percent_error(double reference, double actual)
{
    if (reference == 0.0)
        return 0.0;
    if (actual == 0.0)
        return 100.0;
    return std::fabs((reference - actual) / reference) * 100.0;
}

void Seeder_controller::clear_motor_currents()
{
    for (int i = 0; i < num_channels; ++i) {
        const NV_quvel::channel_t& channel = *app_.channels[i];
        if (channel.mode.get() == 0 && channel.granular_controller_type.get() == 0)
            continue;
        put(store_.body.channels.channels[i].motor_current, 0.0f);
        put(store_.body.diagnostics.motor_current[i].adc_val, 0u);
    }
}

void Seeder_controller::section_drive_debounce()
{
    const bool master = queries_.run_condition();
    bool any_error = false;
    for (int b = 1; b < num_booms; ++b) {
        if (!app_.booms.section_monitoring.get() || app_.booms.booms[b]->type.get() != 1)
            continue;
        ds_boom& boom = store_.body.booms.boom[b];
        const uint32_t sensed = get(boom.section_sense_state);
        const uint32_t before = get(boom.section_drive_error_status);
        uint32_t errors = before;
        const auto states = queries_.section_states(b);
        for (int k = 0; k < num_sections; ++k) {
            const uint32_t bit = 1u << k;
            const bool mismatch = master && states[size_t(k)] == 1 && !(sensed & bit);
            uint8_t& count = drive_mismatch_[b][k];
            if (!mismatch) {
                count = 0;
                errors &= ~bit;
            } else if (count < mismatch_ticks) {
                ++count;
            } else {
                errors |= bit;
            }
        }
        if (errors != before)
            put(boom.section_drive_error_status, errors);
        any_error = any_error || errors != 0;
    }
    any_section_drive_error_ = any_error;
}

void Seeder_controller::section_settle_step()
{
    if (section_settle_ > 0 && --section_settle_ == 0)
        put(store_.body.section_monitors.sections_settled, true);
}

void Seeder_controller::pulsed_monitor_debounce()
{
    ds_section_monitoring& monitors = store_.body.section_monitors;
    const uint32_t raw = get(monitors.raw_pulsed_section_monitors_status);
    const uint32_t before = get(monitors.pulsed_section_monitors_status);
    uint32_t status = before;
    for (int n = 0; n < num_pulsed_monitors; ++n) {
        const uint32_t bit = 1u << n;
        if (!(raw & bit)) {
            pulsed_counts_[n] = 0;
            status &= ~bit;
            continue;
        }
        if (pulsed_counts_[n] <= pulsed_ticks)
            ++pulsed_counts_[n];
        if (pulsed_counts_[n] > pulsed_ticks)
            status |= bit;
    }
    if (status != before)
        put(monitors.pulsed_section_monitors_status, status);
}

void Seeder_controller::disable_channels()
{
    for (int i = 0; i < num_channels; ++i) {
        bool& active = store_.body.channels.channels[i].active;
        if (!app_.channels[i]->enabled.get() && get(active))
            put(active, false);
    }
}
