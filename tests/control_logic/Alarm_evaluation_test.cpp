#include "control_logic/Alarm_evaluation.h"
#include "tests/control_logic/Controller_rig.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Setup = std::function<void(Controller_rig&)>;

// A rig whose controller runs; the evaluation under test is its own
// instance over the same controller, called directly.
struct Evaluation_rig : Controller_rig {
    Alarm_evaluation alarms{*controller};

    // The master on, granular channel 0 on at a manual 10 km/h on a 6 m machine.
    void working()
    {
        granular_channel(0);
        master_on();
        controller->ground_speed_step();
        // The countdowns of the master change run out: ten seconds, with a
        // rate that the drive does not reach, so the rate filter is not settled.
        write(ds(0).requested_rate, 100.0);
        for (int tick = 0; tick < 20; ++tick)
            controller->tick_500ms();
    }
    void refresh() { controller->refresh_parameters(); }
};

struct Rule {
    const char* name;
    std::function<ds_alarm&(ds_alarms&)> record;
    Setup holds;  // after working(): the rule holds
    Setup breaks; // then this alone breaks it
};

void no_rate(Controller_rig& r) { r.write(r.ds(0).requested_rate, 0.0); }

TEST(Alarm_evaluation, trigger_rules)
{
    const Rule rules[] = {
        {"tank_active_no_rate", [](ds_alarms& a) -> ds_alarm& { return a.tank_active_no_rate[0]; }, no_rate,
         [](Controller_rig& r) { r.write(r.ds(0).requested_rate, 12.0); }},
        {"tank_active_no_rate needs speed", [](ds_alarms& a) -> ds_alarm& { return a.tank_active_no_rate[0]; }, no_rate,
         [](Controller_rig& r) { r.app().manual_speed.set(0.4f); }},
        {"tank_off_master_on", [](ds_alarms& a) -> ds_alarm& { return a.tank_off_master_on[0]; },
         [](Controller_rig& r) { r.write(r.ds(0).active, false); },
         [](Controller_rig& r) { r.write(r.store.body.operation.master_switch_active, false); }},
        {"tank_incorrect_rate", [](ds_alarms& a) -> ds_alarm& { return a.tank_incorrect_rate[0]; },
         [](Controller_rig& r) { r.write(r.ds(0).requested_rate, 100.0); },
         [](Controller_rig& r) { r.write(r.ds(0).rate_control_mode, int32_t(2)); }},
        {"tank_alt_rate_in_use", [](ds_alarms& a) -> ds_alarm& { return a.tank_alt_rate_in_use[0]; },
         [](Controller_rig& r) { r.write(r.ds(0).rate_variation, true); },
         [](Controller_rig& r) { r.write(r.ds(0).active, false); }},
        {"tank_low", [](ds_alarms& a) -> ds_alarm& { return a.tank_low[0]; },
         [](Controller_rig& r) {
             r.channel(0).capacity.set(1000.0f);
             r.app().alarms.tank_low[0]->threshold.set(10.0f);
             r.write(r.ds(0).remaining_volume, 99.0);
         },
         [](Controller_rig& r) { r.write(r.ds(0).remaining_volume, 101.0); }},
        {"tank_empty", [](ds_alarms& a) -> ds_alarm& { return a.tank_empty[0]; },
         [](Controller_rig& r) { r.write(r.store.body.diagnostics.level_sensor_on[0], false); },
         [](Controller_rig& r) { r.write(r.store.body.diagnostics.level_sensor_on[0], true); }},
        {"tank_shaft of a valve channel", [](ds_alarms& a) -> ds_alarm& { return a.tank_shaft[0]; },
         [](Controller_rig& r) { r.write(r.ds(0).shaft_rpm, 0.0); },
         [](Controller_rig& r) { r.write(r.ds(0).shaft_rpm, 20.0); }},
        {"shaft_moving_tank_off", [](ds_alarms& a) -> ds_alarm& { return a.shaft_moving_tank_off[0]; },
         [](Controller_rig& r) {
             r.write(r.ds(0).active, false);
             r.write(r.store.body.diagnostics.shaft[0].period, 1000u);
         },
         [](Controller_rig& r) { r.write(r.ds(0).remote_preload, true); }},
        {"no_flow_tanks_off", [](ds_alarms& a) -> ds_alarm& { return a.no_flow_tanks_off; },
         [](Controller_rig& r) { r.write(r.ds(0).active, false); },
         [](Controller_rig& r) { r.app().manual_speed.set(0.0f); }},
        {"no_flow_no_speed", [](ds_alarms& a) -> ds_alarm& { return a.no_flow_no_speed; },
         [](Controller_rig& r) { r.app().manual_speed.set(0.0f); },
         [](Controller_rig& r) { r.write(r.store.body.operation.master_switch_active, false); }},
        {"no_flow_no_fan", [](ds_alarms& a) -> ds_alarm& { return a.no_flow_no_fan; },
         [](Controller_rig& r) {
             r.app().fans[0]->sense_rpm.set(true);
             r.write(r.store.body.fans[0].rpm, 900.0f);
         },
         [](Controller_rig& r) { r.write(r.store.body.fans[0].rpm, 1000.0f); }},
        {"no_flow_no_fan_pressure", [](ds_alarms& a) -> ds_alarm& { return a.no_flow_no_fan_pressure; },
         [](Controller_rig& r) {
             r.app().fans[0]->sense_pressure.set(true);
             r.app().alarms.fan_pressure_low[0]->threshold.set(20.0f);
             r.write(r.store.body.fans[0].pressure, 9.0f);
         },
         [](Controller_rig& r) { r.write(r.store.body.fans[0].pressure, 10.0f); }},
        {"master_off", [](ds_alarms& a) -> ds_alarm& { return a.master_off; },
         [](Controller_rig& r) {
             r.write(r.store.body.operation.master_switch_active, false);
             r.write(r.store.body.operation.use_manual_speed, false);
             r.write(r.store.body.vehicle.speed, 3.0f);
         },
         [](Controller_rig& r) { r.write(r.store.body.vehicle.speed, 0.1f); }},
        {"fan_speed_low", [](ds_alarms& a) -> ds_alarm& { return a.fan_speed_low; },
         [](Controller_rig& r) {
             r.app().fans[0]->sense_rpm.set(true);
             r.app().alarms.fan_speed_low[0]->threshold.set(3000.0f);
             r.write(r.store.body.fans[0].rpm, 2900.0f);
         },
         [](Controller_rig& r) { r.write(r.ds(0).active, false); }},
        {"fan_speed_high, with no other condition", [](ds_alarms& a) -> ds_alarm& { return a.fan_speed_high; },
         [](Controller_rig& r) {
             r.write(r.store.body.operation.master_switch_active, false);
             r.app().fans[0]->sense_rpm.set(true);
             r.app().alarms.fan_speed_high[0]->threshold.set(5000.0f);
             r.write(r.store.body.fans[0].rpm, 5100.0f);
         },
         [](Controller_rig& r) { r.write(r.store.body.fans[0].rpm, 5000.0f); }},
        {"fan_pressure_high", [](ds_alarms& a) -> ds_alarm& { return a.fan_pressure_high; },
         [](Controller_rig& r) {
             r.app().fans[1]->sense_pressure.set(true);
             r.app().alarms.fan_pressure_high[1]->threshold.set(60.0f);
             r.write(r.store.body.fans[1].pressure, 61.0f);
         },
         [](Controller_rig& r) { r.app().manual_speed.set(0.0f); }},
        {"fan_sensor_fail", [](ds_alarms& a) -> ds_alarm& { return a.fan_sensor_fail[0]; },
         [](Controller_rig& r) {
             r.app().fans[0]->sense_rpm.set(true);
             r.app().fans[0]->sense_pressure.set(true);
             r.write(r.store.body.fans[0].pressure, 30.0f);
             r.write(r.store.body.fans[0].stopped_count, 9u);
         },
         [](Controller_rig& r) { r.write(r.store.body.fans[0].stopped_count, 8u); }},
        {"pump_speed_high of the first pump fan", [](ds_alarms& a) -> ds_alarm& { return a.pump_speed_high[0]; },
         [](Controller_rig& r) {
             r.app().fans[2]->use_fan_as_pump.set(true);
             r.app().fans[2]->sense_rpm.set(true);
             r.app().alarms.pump_speed_high[0]->threshold.set(100.0f);
             r.write(r.store.body.fans[2].rpm, 101.0f);
         },
         [](Controller_rig& r) { r.app().fans[2]->sense_rpm.set(false); }},
        {"pump_speed_low", [](ds_alarms& a) -> ds_alarm& { return a.pump_speed_low[0]; },
         [](Controller_rig& r) {
             r.app().fans[2]->use_fan_as_pump.set(true);
             r.app().fans[2]->sense_rpm.set(true);
             r.app().alarms.pump_speed_low[0]->threshold.set(100.0f);
             r.write(r.store.body.fans[2].rpm, 99.0f);
             r.channel(1).enabled.set(true);
             r.channel(1).mode.set(1);
             r.channel(1).assigned_to_pump.set(0);
             r.write(r.ds(1).active, true);
         },
         [](Controller_rig& r) { r.channel(1).assigned_to_pump.set(1); }},
        {"aux_rpm_speed_low", [](ds_alarms& a) -> ds_alarm& { return a.aux_rpm_speed_low; },
         [](Controller_rig& r) {
             r.app().fans[4]->sense_rpm.set(true);
             r.app().alarms.aux_rpm_speed_low.threshold.set(100.0f);
             r.write(r.store.body.fans[4].rpm, 99.0f);
         },
         [](Controller_rig& r) { r.app().alarms.aux_rpm_speed_low.threshold.set(0.0f); }},
        {"liquid_pressure_max", [](ds_alarms& a) -> ds_alarm& { return a.liquid_pressure_max[1]; },
         [](Controller_rig& r) {
             r.channel(1).enabled.set(true);
             r.channel(1).mode.set(1);
             r.channel(1).liquid_pressure_sense.set(true);
             r.app().alarms.liquid_pressure_max[1]->threshold.set(300.0f);
             r.write(r.ds(1).active, true);
             r.write(r.ds(1).liquid_pressure, 301.0f);
         },
         // Channel 1's fan measures the pressure instead.
         [](Controller_rig& r) { r.app().fans[1]->sense_pressure.set(true); }},
        {"tank_no_liquid_flow", [](ds_alarms& a) -> ds_alarm& { return a.tank_no_liquid_flow[1]; },
         [](Controller_rig& r) {
             r.channel(1).enabled.set(true);
             r.channel(1).mode.set(1);
             r.channel(1).flow_confirmation_sensor_enabled.set(true);
             r.channel(1).cal_setting.set(100.0f);
             r.write(r.ds(1).active, true);
             r.write(r.ds(1).motor_pulse_count, 101u);
         },
         [](Controller_rig& r) { r.write(r.ds(1).motor_pulse_count, 100u); }},
        {"down_force_off_master_on", [](ds_alarms& a) -> ds_alarm& { return a.down_force_off_master_on; },
         [](Controller_rig& r) {
             r.app().downforces[0]->enabled.set(true);
             r.app().drill_control_enabled.set(true);
         },
         [](Controller_rig& r) { r.write(r.store.body.downforces.channels[0].active, true); }},
        {"drill_raised_master_on", [](ds_alarms& a) -> ds_alarm& { return a.drill_raised_master_on; },
         [](Controller_rig& r) { r.app().drill_control_enabled.set(true); },
         [](Controller_rig& r) { r.write(r.store.body.operation.setpoint_drill_lift, true); }},
        {"hydraulic_pressure_low", [](ds_alarms& a) -> ds_alarm& { return a.hydraulic_pressure_low; },
         [](Controller_rig& r) {
             r.app().downforces[0]->enabled.set(true);
             r.app().alarms.hydraulic_pressure_low.threshold.set(10.0f);
             r.write(r.store.body.downforces.channels[0].active, true);
             r.write(r.store.body.booms.boom[0].section_control_state, 1u);
         },
         [](Controller_rig& r) { r.write(r.store.body.booms.boom[0].section_control_state, 0u); }},
        {"hydraulic_pressure_low on a boom beyond the six", [](ds_alarms& a) -> ds_alarm& { return a.hydraulic_pressure_low; },
         [](Controller_rig& r) {
             r.app().downforces[0]->enabled.set(true);
             r.app().alarms.hydraulic_pressure_low.threshold.set(10.0f);
             r.write(r.store.body.downforces.channels[0].active, true);
             r.write(r.store.body.booms.boom[0].section_control_state, 1u);
         },
         [](Controller_rig& r) { r.app().downforces[0]->assigned_to_boom.set(6); }},
        {"master_on_tillage_off", [](ds_alarms& a) -> ds_alarm& { return a.master_on_tillage_off; },
         [](Controller_rig& r) { r.app().using_tillage_master_switch.set(true); },
         [](Controller_rig& r) { r.write(r.store.body.operation.tillage_switch_active, true); }},
        {"case_drain", [](ds_alarms& a) -> ds_alarm& { return a.case_drain; },
         [](Controller_rig& r) {
             r.app().using_case_drain_alarm.set(true);
             r.write(r.store.body.diagnostics.case_drain_state, true);
         },
         [](Controller_rig& r) { r.app().using_case_drain_alarm.set(false); }},
        {"ladder_switch", [](ds_alarms& a) -> ds_alarm& { return a.ladder_switch; },
         [](Controller_rig& r) {
             r.app().using_ladder_switch_alarm.set(true);
             r.write(r.store.body.diagnostics.ladder_switch_state, true);
         },
         [](Controller_rig& r) { r.app().manual_speed.set(0.0f); }},
        {"temperature of channels 2 and 3", [](ds_alarms& a) -> ds_alarm& { return a.temperature; },
         [](Controller_rig& r) {
             r.app().alarms.temperature.threshold.set(80.0f);
             r.write(r.store.body.temperatures.value[0], 20.0f);
             r.write(r.store.body.temperatures.value[1], 80.0f);
             r.channel(3).enabled.set(true);
         },
         [](Controller_rig& r) { r.channel(3).enabled.set(false); }},
    };
    for (const Rule& rule : rules) {
        SCOPED_TRACE(rule.name);
        Evaluation_rig r;
        r.working();
        r.write(r.ds(0).requested_rate, 100.0);
        rule.holds(r);
        r.refresh();
        ds_alarm& record = rule.record(r.store.body.alarms);
        // Twice: the shaft test needs the period on two steps in a row.
        r.alarms.evaluate();
        r.alarms.evaluate();
        EXPECT_TRUE(r.read(record.triggered));
        rule.breaks(r);
        r.refresh();
        r.alarms.evaluate();
        EXPECT_FALSE(r.read(record.triggered));
    }
}

TEST(Alarm_evaluation, a_rate_no_longer_incorrect_restarts_the_rate_filter_softly)
{
    Evaluation_rig r;
    r.working();
    r.controller->setpoint_changed(0); // as the control task does for the new rate
    r.alarms.evaluate();
    ASSERT_TRUE(r.read(r.store.body.alarms.tank_incorrect_rate[0].triggered));
    for (int tick = 0; tick < 100; ++tick) // the longest filter window is 80 ticks
        r.controller->tick_500ms();
    const Seeder_controller::Channel_state before = r.controller->channel_state(0);
    for (uint32_t countdown : before.filter_countdowns)
        ASSERT_EQ(countdown, 0u) << "the filter has settled";

    r.write(r.ds(0).rate_control_mode, int32_t(2)); // the rate is no longer watched
    r.alarms.evaluate();
    EXPECT_FALSE(r.read(r.store.body.alarms.tank_incorrect_rate[0].triggered));
    const Seeder_controller::Channel_state after = r.controller->channel_state(0);
    EXPECT_GT(after.filter_countdowns[0] + after.filter_countdowns[1] + after.filter_countdowns[2] +
                  after.filter_countdowns[3],
              0u)
        << "the filter starts again";
    EXPECT_EQ(after.restart_countdown, before.restart_countdown) << "softly: no hard restart";
    EXPECT_EQ(after.settle_counter, before.settle_counter);
}

// An electric motor (2 pulses per turn, gear 50: 100 pulses per shaft turn,
// 90..110 accepted) or a proportional valve (encoder 10, gear 10, the same
// window) with its shaft sensor. Each step gives the motor pulse count C,
// the measured pulse ratio P and the shaft period.
TEST(Alarm_evaluation, motor_checks)
{
    struct Step {
        uint32_t count, ratio, period;
    };
    struct Case {
        const char* name;
        bool valve;
        bool keltu;
        std::vector<Step> steps;
        bool fault, gear, shaft_stopped;
    };
    const Step turns[] = {{10, 100, 1}, {5, 100, 1}, {3, 100, 1}}; // two revolutions
    auto after_turns = [&turns](std::vector<Step> more) {
        std::vector<Step> steps(std::begin(turns), std::end(turns));
        steps.insert(steps.end(), more.begin(), more.end());
        return steps;
    };
    const Case cases[] = {
        {"in the window", false, false, after_turns({{100, 100, 1}}), false, false, false},
        {"outside the window is a wrong gear", false, false, after_turns({{50, 130, 1}}), false, true, false},
        {"no gear verdict before two revolutions", false, false, {{10, 130, 1}, {5, 130, 1}}, false, false, false},
        {"more pulses than a turn: shaft stopped", false, false, after_turns({{106, 100, 1}}), false, false, true},
        {"at the margin the shaft turns", false, false, after_turns({{105, 100, 1}}), false, false, false},
        {"over 245 without keltu", false, false, {{246, 100, 1}}, false, false, true},
        {"keltu limits the count to the window", false, true, {{111, 100, 1}}, false, false, true},
        {"keltu window ends at 110", false, true, after_turns({{100, 111, 1}}), false, true, false},
        {"valve in the window", true, false, after_turns({{100, 105, 1}}), false, false, false},
        {"valve without keltu accepts up to 245", true, false, after_turns({{100, 200, 1}}), false, false, false},
        {"valve with keltu: window to 110", true, true, after_turns({{100, 111, 1}}), false, true, false},
        {"valve with keltu: count limit 105", true, true, {{106, 100, 1}}, false, false, true},
        {"a still motor while moving is a fault", false, false, {{10, 100, 1}, {10, 100, 0}}, true, false, false},
        {"a still motor with the shaft turning is none", false, false, {{10, 100, 1}, {10, 100, 7}}, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Evaluation_rig r;
        r.working();
        // Inactive, so that no tank switch holds the fault off.
        r.write(r.ds(0).active, false);
        NV_quvel::channel_t& ch = r.channel(0);
        r.app().using_keltu.set(c.keltu);
        if (c.valve) {
            ch.granular_controller_type.set(3);
            ch.pvalve_granular_using_shaft_sensor.set(true);
            ch.pvalve_granular_encoder_ratio.set(10.0f);
            ch.pvalve_granular_gear_ratio.set(10.0f);
            ch.pvalve_granular_shaft_sensor_ratio.set(1.0f);
        } else {
            ch.granular_controller_type.set(0);
            ch.motor_using_shaft_sensor.set(true);
            ch.motor_gear_ratio.set(50.0f);
        }
        r.refresh();
        r.controller->ground_speed_step();
        for (const Step& s : c.steps) {
            r.write(r.ds(0).motor_pulse_count, s.count);
            r.write(r.ds(0).pulse_ratio_calc, s.ratio);
            r.write(r.store.body.diagnostics.shaft[0].period, s.period);
            r.alarms.evaluate();
        }
        const Alarm_evaluation::Motor_state& m = r.alarms.motor_state(0);
        EXPECT_EQ(m.fault, c.fault);
        EXPECT_EQ(m.gear, c.gear);
        EXPECT_EQ(m.shaft_stopped, c.shaft_stopped);
    }
}

TEST(Alarm_evaluation, a_still_motor_is_jammed_above_15_amperes_else_its_sensor_failed)
{
    struct Case {
        float current;
        bool jam, sensor;
    };
    for (const Case& c : {Case{15.1f, true, false}, Case{15.0f, false, true}}) {
        SCOPED_TRACE(c.current);
        Evaluation_rig r;
        r.working();
        r.channel(0).granular_controller_type.set(0);
        r.refresh();
        r.write(r.ds(0).active, false);
        r.write(r.ds(0).motor_pulse_count, 10u);
        r.alarms.evaluate();
        r.write(r.ds(0).active, true);
        r.write(r.ds(0).motor_current, c.current);
        r.alarms.evaluate();
        EXPECT_EQ(r.read(r.store.body.alarms.tank_motor_jam[0].triggered), c.jam);
        EXPECT_EQ(r.read(r.store.body.alarms.tank_motor_sensor[0].triggered), c.sensor);
    }
}

TEST(Alarm_evaluation, blocked_head_runs_after_its_inhibit_and_sets_it_when_it_stops)
{
    Evaluation_rig r;
    r.working();
    r.app().monitor_ecus.monitoring_config.set(1);
    r.refresh();
    ds_monitor_ecus& m = r.store.body.monitor_ecus;
    r.write(m.monitor_inputs_active[3], uint8_t(0x0C));
    r.write(m.monitor_inputs_inhibited[3], uint8_t(0x04));
    r.write(m.activate_faulty_sensor_identification, true);
    r.write(m.monitor_inhibit_timer, int32_t(0));

    r.alarms.evaluate();
    EXPECT_EQ(r.read(m.monitor_inhibit_timer), 16) << "a new run starts inhibited";
    EXPECT_FALSE(r.read(m.activate_faulty_sensor_identification));
    EXPECT_EQ(r.read(m.monitor_latched_inputs_active[3]), 0);
    EXPECT_FALSE(r.read(r.store.body.alarms.blocked_head.triggered));

    r.alarms.evaluate();
    EXPECT_EQ(r.read(m.monitor_inhibit_timer), 16) << "counted down elsewhere";
    r.write(m.monitor_inhibit_timer, int32_t(0));
    r.alarms.evaluate();
    EXPECT_EQ(r.read(m.monitor_latched_inputs_active[3]), 0x0C);
    EXPECT_TRUE(r.read(r.store.body.alarms.blocked_head.triggered)) << "bit 3 is blocked and not inhibited";

    r.write(m.monitor_inhibit_timer, int32_t(0));
    r.write(m.monitor_inputs_inhibited[3], uint8_t(0x0C));
    r.alarms.evaluate();
    EXPECT_FALSE(r.read(r.store.body.alarms.blocked_head.triggered)) << "every active sensor inhibited";

    r.app().manual_speed.set(0.9f); // heads are watched from 1 km/h
    r.refresh();
    r.controller->ground_speed_step();
    r.alarms.evaluate();
    EXPECT_EQ(r.read(m.monitor_inhibit_timer), 5);
    EXPECT_FALSE(r.read(r.store.body.alarms.blocked_head.triggered));
}

}
