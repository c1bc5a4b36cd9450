#include "control_logic/Alarm_evaluation.h"
#include "control_logic/Fan_tests.h"
#include "control_logic/Seeder_controller.h"
#include "params/parameters_t.h"

#include <algorithm>

namespace {

constexpr double kmh_per_ms = 1.0 / 0.2777777777777778;
constexpr double moving_kmh = 0.5;
constexpr double heads_kmh = 1.0;
constexpr uint32_t stopped_fan_steps = 8;
constexpr uint32_t tank_switch_steps = 5;
constexpr uint32_t count_limit = 245;
constexpr uint32_t count_margin = 5;
constexpr int num_inputs = 20;

bool granular(const NV_quvel::channel_t& c)
{
    return c.mode.get() == 0;
}

bool electric_motor(const NV_quvel::channel_t& c)
{
    return granular(c) && c.granular_controller_type.get() == 0;
}

bool proportional_valve(const NV_quvel::channel_t& c)
{
    return granular(c) && c.granular_controller_type.get() == 3;
}

}

Alarm_evaluation::Alarm_evaluation(Seeder_controller& controller)
    : c_(controller), list_(controller.store_, controller.app_.alarms)
{
}

void Alarm_evaluation::delay_step()
{
    list_.delay_step(c_.get(c_.store_.body.operation.calibration_state) != 0);
}

void Alarm_evaluation::trigger(ds_alarm& record, bool value)
{
    if (c_.get(record.triggered) != value)
        c_.put(record.triggered, value);
}

void Alarm_evaluation::evaluate()
{
    Data_store& store = c_.store_;
    const NV_quvel::application_t& app = c_.app_;
    ds_alarms& a = store.body.alarms;
    ds_channels& channels = store.body.channels;
    const ds_diagnostics& diagnostics = store.body.diagnostics;

    const bool master = c_.queries_.run_condition();
    const bool manual = c_.get(store.body.operation.use_manual_speed);
    const double speed = manual ? double(app.manual_speed.get()) : c_.get(store.body.vehicle.speed) * kmh_per_ms;
    const bool moving = speed >= moving_kmh;
    const bool non_vtt = c_.get(store.body.system.non_vtt_connected);

    bool active[Seeder_controller::num_channels];
    bool on[Seeder_controller::num_channels];
    bool working[Seeder_controller::num_channels];
    bool any_on = false;
    bool any_granular = false;
    for (int i = 0; i < Seeder_controller::num_channels; ++i) {
        active[i] = c_.get(channels.channels[i].active);
        on[i] = active[i] && app.channels[i]->enabled.get();
        working[i] = c_.section_width(i) > 0.0;
        any_on = any_on || on[i];
        any_granular = any_granular || (on[i] && granular(*app.channels[i]));
    }

    const Fan_tests fans(store, app);
    const bool fans_running = fans.running(false);
    const bool fans_stopped = fans.stopped();
    const bool mgv = master && any_granular && moving;
    trigger(a.fan_pressure_low, mgv && fans.pressure_low());
    trigger(a.fan_pressure_high, mgv && fans.pressure_high());
    trigger(a.fan_speed_low, mgv && fans.speed_low());
    trigger(a.fan_speed_high, fans.speed_high());
    const bool pressure_present = fans.pressure_present();
    for (int k = 0; k < 4; ++k)
        trigger(a.fan_sensor_fail[k], app.fans[k]->sense_rpm.get() && master && pressure_present &&
                                          c_.get(store.body.fans[k].stopped_count) > stopped_fan_steps);

    motor_checks();

    const NV_quvel::alarms_t& settings = app.alarms;
    for (int i = 0; i < Seeder_controller::num_channels; ++i) {
        const NV_quvel::channel_t& c = *app.channels[i];
        ds_channel& record = channels.channels[i];
        const Seeder_controller::Channel_state& state = c_.channels_[i];
        const bool master_active = master && active[i];
        const bool flow = !granular(c);
        const int32_t rate_mode = c_.get(record.rate_control_mode);
        const double requested = c_.get(record.requested_rate);

        const double capacity = c_.parameters_.app.channels[i]->capacity.get();
        trigger(a.tank_low[i], master_active && working[i] &&
                                   c_.get(record.remaining_volume) < settings.tank_low[i]->threshold.get() * capacity / 100.0);
        // The minute flag clears the trigger for one step, so the alarm comes back once a minute.
        trigger(a.tank_empty[i], master_active && working[i] && granular(c) && c.sense_tank_level.get() &&
                                     !c_.get(diagnostics.level_sensor_on[i]) && !c_.minute_flag_);

        const float pressure = c_.get(record.liquid_pressure);
        const bool pressure_sensed = master && on[i] && flow && c.liquid_pressure_sense.get() &&
                                     !(i < 4 && app.fans[i]->sense_pressure.get());
        const float pressure_max = settings.liquid_pressure_max[i]->threshold.get();
        const float pressure_min = settings.liquid_pressure_min[i]->threshold.get();
        trigger(a.liquid_pressure_max[i], pressure_sensed && pressure_max > 0.0f && pressure > pressure_max);
        trigger(a.liquid_pressure_min[i], pressure_sensed && pressure_min > 0.0f && pressure < pressure_min);

        const Motor_state& motor = motors_[i];
        const bool motor_fault = master_active && electric_motor(c) && motor.fault;
        const bool jammed = c_.get(record.motor_current) > jam_current;
        trigger(a.tank_motor_jam[i], motor_fault && jammed);
        trigger(a.tank_motor_sensor[i], motor_fault && !jammed);
        trigger(a.tank_gear[i], master_active && (electric_motor(c) || proportional_valve(c)) && motor.gear);

        const float limit = non_vtt ? settings.tank_incorrect_rate[i]->threshold.get() : 5.0f;
        const bool was_incorrect = c_.get(a.tank_incorrect_rate[i].triggered);
        const bool incorrect = state.settle_counter == 0 && master && on[i] && rate_mode != 2 &&
                               Seeder_controller::percent_error(requested, state.raw_rate) > limit &&
                               Seeder_controller::percent_error(requested, state.filtered_rate) > limit && moving &&
                               working[i];
        trigger(a.tank_incorrect_rate[i], incorrect);
        if (was_incorrect && !incorrect)
            c_.restart_rate_filter(i, false);

        trigger(a.tank_active_no_rate[i],
                master && on[i] && rate_mode != 2 && moving && working[i] && requested < 1e-6);
        trigger(a.tank_off_master_on[i], master && c.enabled.get() && !active[i] && working[i] && moving);

        const bool turning = c_.get(diagnostics.shaft[i].period) != 0;
        const bool driving = active[i] && (master || c.control_to_rpm.get());
        trigger(a.shaft_moving_tank_off[i], granular(c) && turning && shaft_turning_[i] &&
                                                state.master_change_countdown == 0 && !driving &&
                                                !c_.get(record.remote_preload));
        shaft_turning_[i] = turning;

        const bool alternative = master_active && c_.get(record.rate_variation) && speed >= moving_kmh &&
                                 (granular(c) ? c.enabled.get() : rate_mode == 1);
        trigger(a.tank_alt_rate_in_use[i], alternative);

        shaft_and_flow(i, master, moving && working[i]);
    }

    trigger(a.no_flow_tanks_off, master && !any_on && fans_running && moving);
    trigger(a.no_flow_no_speed, master && any_on && fans_running && !moving);
    trigger(a.no_flow_no_fan, master && any_granular && fans_stopped && moving);
    trigger(a.no_flow_no_fan_pressure, master && fans_running && fans.pressure_lost());
    trigger(a.master_off, !master && any_on && !manual && fans_running && moving);
    trigger(a.section_switching, c_.any_section_drive_error_);

    // Pump k is the k-th fan used as a pump.
    int pump = 0;
    for (int f = 0; f < Seeder_controller::num_fans && pump < 4; ++f) {
        const NV_quvel::fan_t& fan = *app.fans[f];
        if (!fan.use_fan_as_pump.get())
            continue;
        const float rpm = c_.get(store.body.fans[f].rpm);
        const float high = settings.pump_speed_high[pump]->threshold.get();
        const float low = settings.pump_speed_low[pump]->threshold.get();
        bool pumping = false;
        for (int i = 0; i < Seeder_controller::num_channels; ++i)
            pumping = pumping || (on[i] && !granular(*app.channels[i]) && app.channels[i]->assigned_to_pump.get() == pump);
        trigger(a.pump_speed_high[pump], fan.sense_rpm.get() && high > 0.0f && rpm > high);
        trigger(a.pump_speed_low[pump], master && pumping && moving && fan.sense_rpm.get() && low > 0.0f && rpm < low);
        ++pump;
    }
    for (; pump < 4; ++pump) {
        trigger(a.pump_speed_high[pump], false);
        trigger(a.pump_speed_low[pump], false);
    }

    const NV_quvel::fan_t& aux = *app.fans[4];
    const float aux_rpm = c_.get(store.body.fans[4].rpm);
    const float aux_high = settings.aux_rpm_speed_high.threshold.get();
    const float aux_low = settings.aux_rpm_speed_low.threshold.get();
    trigger(a.aux_rpm_speed_high, aux.sense_rpm.get() && aux_high > 0.0f && aux_rpm > aux_high);
    trigger(a.aux_rpm_speed_low, master && moving && aux.sense_rpm.get() && aux_low > 0.0f && aux_rpm < aux_low);

    const NV_quvel::channel_t& downforce = *app.downforces[0];
    const bool downforce_active = c_.get(store.body.downforces.channels[0].active);
    const bool drill_control = app.drill_control_enabled.get();
    trigger(a.down_force_off_master_on, master && downforce.enabled.get() && drill_control && !downforce_active && moving);
    trigger(a.drill_raised_master_on,
            master && !c_.get(store.body.operation.setpoint_drill_lift) && drill_control && moving);
    const int boom = downforce.assigned_to_boom.get();
    const float hydraulic = settings.hydraulic_pressure_low.threshold.get();
    trigger(a.hydraulic_pressure_low,
            master && downforce.enabled.get() && downforce_active && boom < Seeder_controller::num_booms &&
                c_.get(store.body.booms.boom[boom].section_control_state) == 1 && moving && hydraulic > 0.0f &&
                c_.downforce_filtered_[0] < hydraulic);

    const ds_operation& operation = store.body.operation;
    trigger(a.master_on_tillage_off, c_.get(operation.calibration_state) == 0 && app.using_tillage_master_switch.get() &&
                                         c_.queries_.master_allowed() && c_.get(operation.master_switch_active) &&
                                         !c_.get(operation.tillage_switch_active));
    trigger(a.case_drain, app.using_case_drain_alarm.get() && c_.get(diagnostics.case_drain_state));
    trigger(a.ladder_switch, app.using_ladder_switch_alarm.get() && moving && c_.get(diagnostics.ladder_switch_state));

    const float hot = settings.temperature.threshold.get();
    const ds_temperature temperatures = c_.get(store.body.temperatures);
    trigger(a.temperature, temperatures.value[0] >= hot ||
                               ((app.channels[2]->enabled.get() || app.channels[3]->enabled.get()) &&
                                temperatures.value[1] >= hot));

    blocked_head(master, any_granular, speed);
}

void Alarm_evaluation::shaft_and_flow(int i, bool master, bool moving_and_working)
{
    const NV_quvel::channel_t& c = *c_.app_.channels[i];
    ds_alarms& a = c_.store_.body.alarms;
    if (!(master && c_.get(c_.store_.body.channels.channels[i].active))) {
        trigger(a.tank_shaft[i], false);
        trigger(a.tank_no_liquid_flow[i], false);
        return;
    }
    bool shaft = false;
    if (moving_and_working && granular(c)) {
        const Motor_state& motor = motors_[i];
        switch (c.granular_controller_type.get()) {
        case 1:
        case 2:
            shaft = c_.get(c_.store_.body.channels.channels[i].shaft_rpm) == 0.0;
            break;
        case 0:
            shaft = c.motor_using_shaft_sensor.get() && motor.shaft_stopped && c.motor_shaft_sensor_ratio.get() > 0.0f;
            break;
        case 3:
            shaft = c.pvalve_granular_using_shaft_sensor.get() && motor.shaft_stopped &&
                    c.pvalve_granular_shaft_sensor_ratio.get() > 0.0f;
            break;
        default:
            break;
        }
    }
    trigger(a.tank_shaft[i], shaft);
    trigger(a.tank_no_liquid_flow[i], !granular(c) && flow_[i]);
}

void Alarm_evaluation::motor_checks()
{
    for (int i = 0; i < Seeder_controller::num_channels; ++i) {
        const NV_quvel::channel_t& c = *c_.app_.channels[i];
        if (granular(c)) {
            motor_check(i);
            continue;
        }
        const double pulses = c_.get(c_.store_.body.channels.channels[i].motor_pulse_count);
        const double expected = c.cal_setting.get();
        if (!c.flow_confirmation_sensor_enabled.get())
            flow_[i] = false;
        else if (c.injection_mode_enabled.get() && c.mode.get() != 2)
            flow_[i] = pulses > 0.1 * expected;
        else
            flow_[i] = pulses > expected;
    }
}

void Alarm_evaluation::motor_check(int i)
{
    const NV_quvel::channel_t& c = *c_.app_.channels[i];
    ds_channel& record = c_.store_.body.channels.channels[i];
    Seeder_controller::Channel_state& state = c_.channels_[i];
    Motor_state& m = motors_[i];
    const bool valve = c.granular_controller_type.get() == 3;
    const bool keltu = c_.app_.using_keltu.get();

    const uint32_t count = c_.get(record.motor_pulse_count);
    const uint32_t ratio_calc = c_.get(record.pulse_ratio_calc);
    uint32_t measured; // pulses per shaft turn
    int32_t expected;
    int32_t limit = count_limit;
    bool shaft_sensor;
    if (valve) {
        const double encoder = c.pvalve_granular_encoder_ratio.get();
        const double gear = c.pvalve_granular_gear_ratio.get();
        const double shaft_ratio = c.pvalve_granular_shaft_sensor_ratio.get();
        measured = ratio_calc;
        c_.put(record.gear_ratio_calc, float(ratio_calc / encoder * shaft_ratio));
        expected = Seeder_controller::round_half_up(encoder * gear / shaft_ratio);
        if (keltu)
            limit = Seeder_controller::round_half_up(encoder * gear * 1.05);
        shaft_sensor = c.pvalve_granular_using_shaft_sensor.get();
    } else {
        double multiple = 2.0;
        if (c.motor_pulse_encoder.get() == 1)
            multiple = 4.0;
        else if (c.motor_pulse_encoder.get() == 2)
            multiple = c.motor_encoder_ratio.get();
        measured = Seeder_controller::to_u32(ratio_calc * double(c_.parameters_.app.channels[i]->motor_shaft_sensor_ratio.get()));
        c_.put(record.gear_ratio_calc, float(measured / multiple));
        expected = Seeder_controller::round_half_up(multiple * c.motor_gear_ratio.get());
        shaft_sensor = c.motor_using_shaft_sensor.get();
    }
    const int32_t tolerance = std::max(1, Seeder_controller::round_half_up(1.1 * expected - expected));
    const int32_t lower = expected < tolerance ? 0 : expected - tolerance;
    int32_t upper = expected + tolerance;
    if (!keltu)
        upper = valve ? int32_t(count_limit) : std::min(upper, int32_t(count_limit));
    if (!valve && keltu)
        limit = upper;

    if (count == m.previous_count && c_.get(c_.store_.body.diagnostics.shaft[i].period) == 0) {
        if (state.tank_switch_countdown == 0 && c_.moving_)
            m.fault = true;
    } else {
        if (c_.get(record.active))
            state.tank_switch_countdown = tank_switch_steps;
        m.fault = false;
        if (int64_t(count) > limit) {
            m.gear = false;
            m.shaft_stopped = shaft_sensor;
        } else if (m.revolutions < 2) {
            if (count < m.previous_count)
                ++m.revolutions;
        } else {
            m.gear = shaft_sensor && measured != 0 && (int64_t(measured) < lower || int64_t(measured) > upper);
            if (int64_t(count) > std::max<int64_t>(measured, expected) + count_margin) {
                m.gear = false;
                m.shaft_stopped = shaft_sensor;
            } else {
                m.shaft_stopped = false;
            }
        }
    }
    m.previous_count = count;
}

void Alarm_evaluation::blocked_head(bool master, bool granular_on, double speed)
{
    Data_store& store = c_.store_;
    ds_monitor_ecus& monitors = store.body.monitor_ecus;
    int32_t inhibit = c_.get(monitors.monitor_inhibit_timer);
    bool identification = c_.get(monitors.activate_faulty_sensor_identification);
    const bool runs = c_.app_.monitor_ecus.monitoring_config.get() == 1 && !c_.get(monitors.activate_auto_detect) &&
                      master && granular_on && speed >= heads_kmh;
    bool blocked = false;
    if (runs) {
        if (!head_running_) {
            inhibit = head_start_inhibit;
            identification = false;
        }
        for (int n = 0; n < num_inputs; ++n) {
            const uint8_t inputs = c_.get(monitors.monitor_inputs_active[n]);
            if (inhibit != 0) {
                c_.put(monitors.monitor_latched_inputs_active[n], uint8_t(0));
                continue;
            }
            c_.put(monitors.monitor_latched_inputs_active[n], inputs);
            blocked = blocked || (inputs & ~c_.get(monitors.monitor_inputs_inhibited[n])) != 0;
        }
        head_running_ = true;
    } else {
        if (head_running_)
            inhibit = head_stop_inhibit;
        head_running_ = false;
    }
    trigger(store.body.alarms.blocked_head, blocked);
    c_.put(monitors.monitor_inhibit_timer, inhibit);
    c_.put(monitors.activate_faulty_sensor_identification, identification);
}
