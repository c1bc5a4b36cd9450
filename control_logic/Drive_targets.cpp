#include "control_logic/Seeder_controller.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"

namespace {

constexpr double kmh_to_mps = 0.2777777777777778;
constexpr double flow_per_minute = 16.67; // g/s from kg/min, ml/s from l/min
constexpr uint32_t restart_ticks = 10;
constexpr uint32_t rate_change_ticks = 10;
constexpr uint32_t settle_count = 4;
constexpr double snap_percent = 5.0;

bool granular(const NV_quvel::channel_t& channel)
{
    return channel.mode.get() == 0;
}

}

double Seeder_controller::encoder_ratio(int channel) const
{
    const NV_quvel::channel_t& c = *app_.channels[channel];
    switch (c.granular_controller_type.get()) {
    case 0:
        switch (c.motor_pulse_encoder.get()) {
        case 1:
            return c.motor_gear_ratio.get() * 4.0;
        case 2:
            return double(c.motor_encoder_ratio.get()) * c.motor_gear_ratio.get();
        default:
            return c.motor_gear_ratio.get() * 2.0;
        }
    case 1:
        return c.act_encoder_ratio.get();
    case 2:
        return c.rvalve_granular_encoder_ratio.get();
    case 3:
        return double(c.pvalve_granular_encoder_ratio.get()) * c.pvalve_granular_gear_ratio.get();
    default:
        return 0.0;
    }
}

void Seeder_controller::drive_limits(int channel, double& minimum, double& maximum) const
{
    const NV_quvel::channel_t& c = *app_.channels[channel];
    minimum = maximum = 0.0;
    if (!granular(c))
        return;
    const double ratio = encoder_ratio(channel);
    switch (c.granular_controller_type.get()) {
    case 0:
        switch (c.motor_pulse_encoder.get()) {
        case 0:
            minimum = 60.0;
            maximum = 3000.0;
            break;
        case 1:
            minimum = 120.0;
            maximum = 8000.0;
            break;
        case 2:
            minimum = double(c.motor_min_rpm.get()) * c.motor_encoder_ratio.get();
            maximum = double(c.motor_max_rpm.get()) * c.motor_encoder_ratio.get();
            break;
        }
        break;
    case 1:
        minimum = c.act_min_rpm.get() * ratio;
        maximum = c.act_max_rpm.get() * ratio;
        break;
    case 2:
        minimum = c.rvalve_granular_min_rpm.get() * ratio;
        maximum = c.rvalve_granular_max_rpm.get() * ratio;
        break;
    case 3:
        minimum = c.pvalve_granular_min_rpm.get() * ratio;
        maximum = c.pvalve_granular_max_rpm.get() * ratio;
        break;
    }
}

double Seeder_controller::clamp_target(double target, double minimum, double maximum)
{
    if (maximum > 0.0 && target > maximum)
        target = maximum;
    if (minimum > 0.0 && minimum <= maximum && target > 0.0 && target < minimum)
        target = minimum;
    return target;
}

double Seeder_controller::section_width(int channel)
{
    const NV_quvel::channel_t& c = *app_.channels[channel];
    const int boom = c.assigned_to_boom.get();
    const bool tank_calibrating = get(store_.body.operation.calibration_state) == 1 &&
                                  get(store_.body.operation.tank[channel].calibrating_tank) && granular(c);
    if (tank_calibrating || !get(store_.body.system.non_vtt_connected) ||
        (boom == 0 && queries_.remote_preload(channel)))
        return app_.machine_width.get();
    // A boom the tree cannot hold has no sections.
    if (boom >= num_booms)
        return 0.0;
    const NV_quvel::boom_t& b = *app_.booms.booms[boom];
    const int sections = std::min<int>(b.num_sections.get(), num_sections);
    const uint32_t on = get(store_.body.channels.channels[channel].controller_section_state);
    double width = 0.0;
    for (int s = 0; s < sections; ++s)
        if (on & (1u << s))
            width += b.sections[s]->width.get();
    return width;
}

double Seeder_controller::drive_width(int channel)
{
    const double width = section_width(channel);
    // A granular channel meters for the whole machine unless its sections
    // are switched at the distribution head; a liquid channel's sections
    // shut their own nozzles, so its flow follows the worked width.
    if (granular(*app_.channels[channel]) && width > 0.0 && !app_.gran_sec_control_at_dist_head.get())
        return app_.machine_width.get();
    return width;
}

double Seeder_controller::shaft_rpm_from_period(double period_us, double ratio)
{
    if (period_us == 0.0 || ratio == 0.0)
        return 0.0;
    return 1e6 / period_us / ratio * 60.0;
}

double Seeder_controller::product_from_pulses(double pulses, double ratio, double cal_setting)
{
    if (pulses == 0.0 || ratio == 0.0)
        return 0.0;
    return pulses / ratio * cal_setting;
}

bool Seeder_controller::drives(int channel)
{
    if (!app_.channels[channel]->enabled.get() || !get(store_.body.channels.channels[channel].active))
        return false;
    return app_.channels[channel]->control_to_rpm.get() || queries_.run_condition() ||
           queries_.remote_preload(channel);
}

double Seeder_controller::channel_speed(int channel)
{
    const double manual = app_.manual_speed.get();
    if (queries_.remote_preload(channel)) {
        if (manual == 0.0 && get(store_.body.operation.priming))
            return 5.0;
        return manual;
    }
    if (get(store_.body.operation.use_manual_speed))
        return manual;
    return speed_kmh_;
}

uint32_t Seeder_controller::granular_period(int channel)
{
    const NV_quvel::channel_t& c = *app_.channels[channel];
    const double ratio = encoder_ratio(channel);
    double target = 0.0;
    if (drives(channel)) {
        const double rate = get(store_.body.channels.channels[channel].requested_rate);
        if (c.control_to_rpm.get())
            target = rate * ratio;
        else if (c.cal_setting.get() > 0.0f)
            target = rate * drive_width(channel) * channel_speed(channel) * ratio /
                     (c.cal_setting.get() * rate_area_factor_);
    }
    double minimum = 0.0, maximum = 0.0;
    drive_limits(channel, minimum, maximum);
    target = clamp_target(target, minimum, maximum);
    return target / 60.0 > 0.0 ? to_u32(1e6 / (target / 60.0)) : 0;
}

uint32_t Seeder_controller::flow_period(int channel)
{
    const NV_quvel::channel_t& c = *app_.channels[channel];
    const double rate = get(store_.body.channels.channels[channel].requested_rate);
    if (!drives(channel) || c.cal_setting.get() <= 0.0f || rate <= 0.0)
        return 0;
    const double speed = get(store_.body.operation.use_manual_speed) ? app_.manual_speed.get() : source_kmh_;
    const double pulses_per_second = rate * c.cal_setting.get() * drive_width(channel) * speed / liquid_flow_factor_;
    return pulses_per_second > 0.0 ? to_u32(1e6 / pulses_per_second) : 0;
}

void Seeder_controller::product_targets()
{
    for (int i = 0; i < num_channels; ++i) {
        ds_channel& channel = store_.body.channels.channels[i];
        const bool is_granular = granular(*app_.channels[i]);
        const uint32_t period = is_granular ? granular_period(i) : flow_period(i);
        channels_[i].set_period = period;
        put(channel.set_period, period);
        if (is_granular)
            put(channel.encoder_ratio, float(encoder_ratio(i)));
    }
}

void Seeder_controller::update_filter_timing(int channel)
{
    const NV_quvel::channel_t& c = *app_.channels[channel];
    const uint8_t type = c.granular_controller_type.get();
    uint32_t base = 10;
    if (granular(c) && type > 3)
        return;
    if (granular(c) && type == 1 && c.actuator_style.get() != 1 && c.actuator_style.get() != 2) {
        const double speed = get(store_.body.vehicle.speed) / kmh_to_mps;
        const double rate = get(store_.body.channels.channels[channel].requested_rate);
        double target = 0.0;
        if (c.cal_setting.get() > 0.0f)
            target = rate * drive_width(channel) * speed * encoder_ratio(channel) /
                     (c.cal_setting.get() * rate_area_factor_);
        base = 90;
        if (target > 0.0) {
            const double pulse_ms = 1000.0 / (target / 60.0);
            base = pulse_ms >= 3900.0 ? 90 : 20;
        }
    }
    Filter_timing& t = timing_[channel];
    t.words[1] = 16 * base;
    t.words[2] = 8 * base;
    t.words[3] = 2 * base;
    t.words[4] = base;
}

void Seeder_controller::restart_rate_filter(int channel, bool hard)
{
    Channel_state& c = channels_[channel];
    if (!c.last_active)
        return;
    update_filter_timing(channel);
    for (int k = 0; k < 4; ++k)
        c.filter_countdowns[k] = uint32_t(round_half_up(timing_[channel].words[k + 1] * 0.5));
    if (hard) {
        c.restart_countdown = restart_ticks;
        c.settle_counter = 0;
    }
}

void Seeder_controller::setpoint_changed(int channel)
{
    ds_channel& record = store_.body.channels.channels[channel];
    channels_[channel].last_active = get(record.active);
    const double rate = get(record.requested_rate);
    put(record.rate_variation, rate != double(app_.channels[channel]->preset_rate_1.get()));
    parameters_.app.channels[channel]->current_rate.set(float(rate));
    restart_rate_filter(channel, true);
    channels_[channel].rate_change_countdown = rate_change_ticks;
    put(record.rate_change_active, true);
    restart_section_settle();
}

void Seeder_controller::actual_rate_step()
{
    for (int i = 0; i < num_channels; ++i)
        actual_rate(i);
}

uint32_t Seeder_controller::active_nozzles(int channel)
{
    const int boom = app_.channels[channel]->assigned_to_boom.get();
    if (boom >= num_booms)
        return 0;
    const NV_quvel::boom_t& b = *app_.booms.booms[boom];
    const int sections = std::min<int>(b.num_sections.get(), num_sections);
    const auto states = queries_.section_states(boom);
    uint32_t nozzles = 0;
    for (int s = 0; s < sections; ++s)
        if (states[size_t(s)] == 1)
            nozzles += b.sections[s]->num_nozzles.get();
    return nozzles;
}

void Seeder_controller::actual_rate(int channel)
{
    const NV_quvel::channel_t& c = *app_.channels[channel];
    ds_channel& record = store_.body.channels.channels[channel];
    Channel_state& state = channels_[channel];
    const bool is_granular = granular(c);
    const double width = drive_width(channel);
    const double speed = channel_speed(channel);
    const uint32_t period = get(record.actual_period);
    const double ratio = is_granular ? encoder_ratio(channel) : 1.0;
    const double cal = c.cal_setting.get();
    const bool filtering = c.filter_rate.get() && state.restart_countdown == 0;
    const double f = c.rate_filter_factor.get();

    double rate = 0.0;
    if (drives(channel) && width > 0.0 && period != 0 && ratio > 0.0) {
        rate_extremes(channel);
        double per_minute = 0.0; // product, or litres of a flow channel
        if (is_granular) {
            const double rpm = shaft_rpm_from_period(period, ratio);
            put(record.raw_shaft_rpm, rpm);
            // The product of a minute's encoder pulses.
            per_minute = c.control_to_rpm.get() ? 0.0 : product_from_pulses(60e6 / period, ratio, cal);
            if (c.control_to_rpm.get())
                rate = rpm;
            else if (speed * width > 1e-6)
                rate = rate_area_factor_ * per_minute / (speed * width);
            const double shaft = filtering ? (1.0 - f) * rpm + f * get(record.shaft_rpm) : rpm;
            put(record.shaft_rpm, shaft);
            float& max_shaft = store_.body.history.shaft_max_speed[channel];
            if (float(rpm) > get(max_shaft))
                put(max_shaft, float(rpm));
        } else {
            const double pulses_per_second = 1e6 / period;
            per_minute = cal > 0.0 ? pulses_per_second * 60.0 / cal : 0.0;
            if (cal > 0.0 && speed * width > 1e-6)
                rate = liquid_flow_factor_ * pulses_per_second / (cal * speed * width);
        }
        put(record.raw_flow_rate, per_minute * flow_per_minute);
        const double flow = filtering
                                ? ((1.0 - f) * per_minute + f * get(record.flow_rate) / flow_per_minute) * flow_per_minute
                                : per_minute * flow_per_minute;
        put(record.flow_rate, flow);
    } else {
        put(record.shaft_rpm, 0.0);
        put(record.flow_rate, 0.0);
        put(record.raw_shaft_rpm, 0.0);
    }
    if (!is_granular) {
        const uint32_t nozzles = active_nozzles(channel);
        put(record.active_nozzles, nozzles);
        put(record.nozzle_flow_rate, nozzles == 0 ? 0.0 : get(record.flow_rate) / nozzles);
    }
    state.raw_rate = rate;
    // The filtered rate stays here: the boom and section step alone writes
    // the rate that reaches the ground, which the totals count.
    filter_rate(channel, rate);
}

void Seeder_controller::filter_rate(int channel, double rate)
{
    const NV_quvel::channel_t& c = *app_.channels[channel];
    ds_channel& record = store_.body.channels.channels[channel];
    Channel_state& state = channels_[channel];
    if (c.filter_rate.get() && rate != 0.0 && state.restart_countdown == 0) {
        const double f = c.rate_filter_factor.get();
        state.filtered_rate = (1.0 - f) * rate + f * state.filtered_rate;
    } else {
        state.filtered_rate = rate;
    }
    if (get(record.rate_control_mode) != 1)
        return;
    NV_quvel::nv_float& live_factor = parameters_.app.channels[channel]->rate_filter_factor;
    const double requested = get(record.requested_rate);
    const double raw_error = percent_error(requested, rate);
    const double filtered_error = percent_error(requested, state.filtered_rate);
    if (raw_error <= snap_percent || filtered_error <= snap_percent) {
        if (live_factor.get() != 0.9f)
            live_factor.set(0.9f);
        state.settle_counter = settle_count;
        if (raw_error <= snap_percent && filtered_error > snap_percent)
            state.filtered_rate = requested;
    } else {
        if (live_factor.get() != 0.4f)
            live_factor.set(0.4f);
        if (state.settle_counter > 0)
            --state.settle_counter;
    }
}

void Seeder_controller::rate_extremes(int channel)
{
    ds_channel& record = store_.body.channels.channels[channel];
    const double x = channels_[channel].raw_rate;
    const double r = get(record.requested_rate);
    const float error = r <= 0.0 ? 0.0f : float((x - r) / r * 100.0);
    double min_rate = get(record.min_rate), max_rate = get(record.max_rate);
    float min_error = get(record.min_rate_error), max_error = get(record.max_rate_error);
    if (x < min_rate) {
        min_rate = x;
        min_error = error;
    }
    if (x > max_rate) {
        max_rate = x;
        max_error = error;
    }
    put(record.min_rate, min_rate);
    put(record.max_rate, max_rate);
    put(record.min_rate_error, min_error);
    put(record.max_rate_error, max_error);
}
