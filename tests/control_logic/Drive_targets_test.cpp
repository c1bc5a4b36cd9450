#include "tests/control_logic/Controller_rig.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(Drive_targets, encoder_ratio_and_limits_by_drive)
{
    struct Case {
        const char* what;
        uint8_t mode, type, pulse_encoder;
        double ratio, minimum, maximum;
    };
    // gear 3, encoder 5, motor rpm 10..100; actuator 7, 20..200; reversing
    // valve 11, 30..300; proportional valve 13 x gear 2, 40..400.
    const Case cases[] = {
        {"motor, encoder 0", 0, 0, 0, 6.0, 60.0, 3000.0},
        {"motor, encoder 1", 0, 0, 1, 12.0, 120.0, 8000.0},
        {"motor, encoder 2", 0, 0, 2, 15.0, 50.0, 500.0},
        {"motor, encoder 3", 0, 0, 3, 6.0, 0.0, 0.0},
        {"actuator", 0, 1, 0, 7.0, 140.0, 1400.0},
        {"reversing valve", 0, 2, 0, 11.0, 330.0, 3300.0},
        {"proportional valve", 0, 3, 0, 26.0, 1040.0, 10400.0},
        {"unknown drive", 0, 4, 0, 0.0, 0.0, 0.0},
        {"flow channel", 1, 2, 0, 11.0, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Controller_rig rig;
        NV_quvel::channel_t& ch = rig.channel(3);
        ch.mode.set(c.mode);
        ch.granular_controller_type.set(c.type);
        ch.motor_pulse_encoder.set(c.pulse_encoder);
        ch.motor_gear_ratio.set(3.0f);
        ch.motor_encoder_ratio.set(5.0f);
        ch.motor_min_rpm.set(10.0f);
        ch.motor_max_rpm.set(100.0f);
        ch.act_encoder_ratio.set(7.0f);
        ch.act_min_rpm.set(20.0f);
        ch.act_max_rpm.set(200.0f);
        ch.rvalve_granular_encoder_ratio.set(11.0f);
        ch.rvalve_granular_min_rpm.set(30.0f);
        ch.rvalve_granular_max_rpm.set(300.0f);
        ch.pvalve_granular_encoder_ratio.set(13.0f);
        ch.pvalve_granular_gear_ratio.set(2.0f);
        ch.pvalve_granular_min_rpm.set(40.0f);
        ch.pvalve_granular_max_rpm.set(400.0f);
        rig.controller->refresh_parameters();
        double minimum = -1.0, maximum = -1.0;
        rig.controller->drive_limits(3, minimum, maximum);
        EXPECT_DOUBLE_EQ(rig.controller->encoder_ratio(3), c.ratio);
        EXPECT_DOUBLE_EQ(minimum, c.minimum);
        EXPECT_DOUBLE_EQ(maximum, c.maximum);
    }
}

TEST(Drive_targets, clamping_to_the_limits)
{
    struct Case {
        double target, minimum, maximum, result;
    };
    const Case cases[] = {
        {5000.0, 60.0, 3000.0, 3000.0}, // above the maximum
        {10.0, 60.0, 3000.0, 60.0},     // below a non-zero minimum
        {0.0, 60.0, 3000.0, 0.0},       // 0 stays 0
        {10.0, 500.0, 300.0, 10.0},     // a minimum above the maximum is ignored
        {5000.0, 0.0, 0.0, 5000.0},     // no limits
        {10.0, 60.0, 0.0, 10.0},        // no maximum: the minimum is ignored too
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.target << " in " << c.minimum << ".." << c.maximum);
        EXPECT_DOUBLE_EQ(Seeder_controller::clamp_target(c.target, c.minimum, c.maximum), c.result);
    }
}

TEST(Drive_targets, granular_period_from_rate_width_speed_and_calibration)
{
    struct Case {
        const char* what;
        double rate;
        bool control_to_rpm, master;
        uint32_t period;
    };
    // 100 kg/ha x 6 m x 10 km/h x 10 pulses / (0.5 kg x 600) = 200 pulses/min.
    const Case cases[] = {
        {"by rate", 100.0, false, true, 300000},
        {"master off", 100.0, false, false, 0},
        {"to rpm, 50 rpm x 10", 50.0, true, false, 120000},
        {"a tiny target saturates", 1e-6, false, true, std::numeric_limits<uint32_t>::max()},
        {"rate 0", 0.0, false, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Controller_rig rig;
        rig.channel(0).control_to_rpm.set(c.control_to_rpm);
        rig.granular_channel(0);
        if (c.master)
            rig.master_on();
        rig.write(rig.ds(0).requested_rate, c.rate);
        rig.controller->tick_100ms();
        EXPECT_NEAR(double(rig.read(rig.ds(0).set_period)), double(c.period), 1.0);
        EXPECT_EQ(rig.read(rig.ds(0).encoder_ratio), 10.0f);
    }
}

TEST(Drive_targets, control_to_rpm_ignores_width_speed_and_calibration)
{
    Controller_rig rig;
    rig.channel(0).control_to_rpm.set(true);
    rig.granular_channel(0);
    rig.channel(0).cal_setting.set(0.0f);
    rig.app().machine_width.set(0.0f);
    rig.app().manual_speed.set(0.0f);
    rig.controller->refresh_parameters();
    rig.write(rig.ds(0).requested_rate, 50.0);
    rig.controller->tick_100ms();
    EXPECT_NEAR(double(rig.read(rig.ds(0).set_period)), 120000.0, 1.0);
}

TEST(Drive_targets, a_channel_needs_enabled_and_active)
{
    Controller_rig rig;
    rig.granular_channel(0);
    rig.master_on();
    rig.write(rig.ds(0).requested_rate, 100.0);
    rig.write(rig.ds(0).active, false);
    rig.controller->tick_100ms();
    EXPECT_EQ(rig.read(rig.ds(0).set_period), 0u);
    rig.write(rig.ds(0).active, true);
    rig.channel(0).enabled.set(false);
    rig.controller->refresh_parameters();
    rig.controller->tick_100ms();
    EXPECT_EQ(rig.read(rig.ds(0).set_period), 0u);
}

TEST(Drive_targets, flow_period_from_rate_calibration_width_and_speed)
{
    Controller_rig rig;
    rig.granular_channel(1);
    rig.channel(1).mode.set(1);
    rig.channel(1).cal_setting.set(100.0f); // pulses per litre
    rig.controller->refresh_parameters();
    rig.master_on();
    // 100 l/ha x 100 pulses/l x 6 m x 10 km/h / 36000 = 16.67 pulses/s.
    rig.write(rig.ds(1).requested_rate, 100.0);
    rig.controller->tick_100ms();
    EXPECT_NEAR(double(rig.read(rig.ds(1).set_period)), 60000.0, 1.0);
    rig.write(rig.ds(1).requested_rate, -5.0);
    rig.controller->tick_100ms();
    EXPECT_EQ(rig.read(rig.ds(1).set_period), 0u);
}

TEST(Drive_targets, width_of_the_sections_that_are_on_with_a_non_vt_display)
{
    struct Case {
        uint8_t boom, num_sections;
        uint32_t sections_on;
        double width;
    };
    // Sections 1 m, 2 m, ... on boom 2; the machine is 6 m.
    const Case cases[] = {
        {2, 3, 0b101, 4.0}, {2, 3, 0b1000, 0.0}, {2, 12, 0x3FF, 55.0}, {9, 3, 0b111, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "boom " << int(c.boom) << " sections " << int(c.num_sections));
        Controller_rig rig;
        rig.granular_channel(0);
        rig.channel(0).assigned_to_boom.set(c.boom);
        rig.app().booms.booms[2]->num_sections.set(c.num_sections);
        for (int s = 0; s < 10; ++s)
            rig.app().booms.booms[2]->sections[s]->width.set(s + 1.0);
        rig.controller->refresh_parameters();
        rig.write(rig.store.body.system.non_vtt_connected, true);
        rig.write(rig.ds(0).controller_section_state, c.sections_on);
        EXPECT_DOUBLE_EQ(rig.controller->section_width(0), c.width);
        rig.write(rig.store.body.system.non_vtt_connected, false);
        EXPECT_DOUBLE_EQ(rig.controller->section_width(0), 6.0);
    }
}

TEST(Drive_targets, the_machine_width_stands_in_for_the_sections_of_a_granular_channel_only)
{
    // Boom 2 of two 3 m sections on a 6 m machine, the display connected,
    // section 0 on; 80 asked at 10 km/h, measured at the period asked for.
    struct Case {
        const char* what;
        uint8_t mode;
        bool at_distribution_head;
        uint32_t period;
    };
    const Case cases[] = {
        // 80 l/ha x 100 pulses/l x 3 m x 10 km/h / 36000: 6.67 pulses a second.
        {"liquid: the worked width", 1, false, 150000},
        {"liquid, sections at the head: the worked width", 1, true, 150000},
        // 80 kg/ha x 6 m x 10 km/h x 10 pulses / (0.5 kg x 600): 160 pulses a minute.
        {"granular: the whole machine", 0, false, 375000},
        {"granular, sections at the head: the worked width", 0, true, 750000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Controller_rig rig;
        rig.granular_channel(0);
        rig.channel(0).mode.set(c.mode);
        if (c.mode != 0)
            rig.channel(0).cal_setting.set(100.0f); // pulses per litre
        rig.channel(0).filter_rate.set(false);
        rig.channel(0).assigned_to_boom.set(2);
        rig.app().gran_sec_control_at_dist_head.set(c.at_distribution_head);
        NV_quvel::boom_t& boom = *rig.app().booms.booms[2];
        boom.num_sections.set(2);
        boom.sections[0]->width.set(3.0);
        boom.sections[1]->width.set(3.0);
        rig.controller->refresh_parameters();
        rig.write(rig.store.body.system.non_vtt_connected, true);
        rig.write(rig.store.body.system.tc_alive, true);
        rig.master_on();
        rig.write(rig.ds(0).rate_control_mode, int32_t(0));
        rig.write(rig.ds(0).controller_section_state, 1u);
        rig.write(rig.ds(0).requested_rate, 80.0);
        rig.controller->tick_100ms();
        EXPECT_EQ(rig.read(rig.ds(0).set_period), c.period);

        rig.write(rig.ds(0).actual_period, c.period);
        rig.controller->tick_500ms();
        EXPECT_NEAR(rig.controller->channel_state(0).filtered_rate, 80.0, 1e-6);
    }
}

TEST(Drive_targets, calibration_conversions)
{
    struct Case {
        double period_us, ratio, rpm;
        double pulses, cal, product;
    };
    const Case cases[] = {
        {300000, 10, 20, 200, 0.5, 10},     // 10 pulses a turn, 0.5 kg a turn
        {1000, 2.5, 24000, 5, 1.2, 2.4},    // a fraction of a pulse per turn
        {0, 10, 0, 0, 0.5, 0},              // no pulse: nothing
        {300000, 0, 0, 200, 0.5, 0},        // no ratio: nothing, never a division by 0
        {1e6, 0.5, 120, 1, 0, 0},           // uncalibrated: no product
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.period_us << " us, ratio " << c.ratio);
        EXPECT_DOUBLE_EQ(Seeder_controller::shaft_rpm_from_period(c.period_us, c.ratio), c.rpm);
        EXPECT_DOUBLE_EQ(Seeder_controller::product_from_pulses(c.pulses, c.ratio, c.cal), c.product);
    }
}

TEST(Drive_targets, actual_rate_with_its_filter_and_extremes)
{
    Controller_rig rig;
    rig.granular_channel(0);
    rig.channel(0).rate_filter_factor.set(0.5f);
    rig.controller->refresh_parameters();
    rig.master_on();
    rig.write(rig.ds(0).rate_control_mode, int32_t(0));
    rig.write(rig.ds(0).requested_rate, 200.0);
    // 300 ms a pulse at 10 pulses a revolution: 20 rpm, 10 kg/min, 100 kg/ha.
    rig.write(rig.ds(0).actual_period, 300000u);
    rig.write(rig.ds(0).actual_rate, 7.0);
    rig.controller->tick_500ms();
    EXPECT_EQ(rig.read(rig.ds(0).actual_rate), 7.0) << "the filtered rate stays in the controller";
    EXPECT_DOUBLE_EQ(rig.read(rig.ds(0).raw_shaft_rpm), 20.0);
    EXPECT_NEAR(rig.read(rig.ds(0).raw_flow_rate), 166.7, 1e-9);
    EXPECT_NEAR(rig.controller->channel_state(0).filtered_rate, 50.0, 1e-9);
    // The extremes take the raw rate of the tick before: 0, then 100.
    EXPECT_DOUBLE_EQ(rig.read(rig.ds(0).min_rate), 0.0);
    EXPECT_FLOAT_EQ(rig.read(rig.ds(0).min_rate_error), -100.0f);
    rig.controller->tick_500ms();
    EXPECT_NEAR(rig.controller->channel_state(0).filtered_rate, 75.0, 1e-9);
    EXPECT_NEAR(rig.read(rig.ds(0).max_rate), 100.0, 1e-9);
    EXPECT_FLOAT_EQ(rig.read(rig.ds(0).max_rate_error), -50.0f);
    EXPECT_FLOAT_EQ(rig.read(rig.store.body.history.shaft_max_speed[0]), 20.0f);

    // A new setpoint restarts the filter: the rate is taken as it is.
    rig.controller->setpoint_changed(0);
    rig.controller->tick_500ms();
    EXPECT_NEAR(rig.controller->channel_state(0).filtered_rate, 100.0, 1e-9);

    rig.write(rig.ds(0).active, false);
    rig.controller->tick_500ms();
    EXPECT_EQ(rig.read(rig.ds(0).shaft_rpm), 0.0);
    EXPECT_EQ(rig.controller->channel_state(0).filtered_rate, 0.0);
}

TEST(Drive_targets, flow_rate_and_nozzle_flow_of_a_flow_channel)
{
    Controller_rig rig;
    rig.granular_channel(1);
    rig.channel(1).mode.set(1);
    rig.channel(1).cal_setting.set(100.0f); // pulses per litre
    rig.channel(1).filter_rate.set(false);
    rig.channel(1).assigned_to_boom.set(2);
    NV_quvel::boom_t& boom = *rig.app().booms.booms[2];
    boom.num_sections.set(3);
    boom.sections[0]->num_nozzles.set(3);
    boom.sections[1]->num_nozzles.set(4);
    boom.sections[2]->num_nozzles.set(5);
    rig.controller->refresh_parameters();
    rig.master_on();
    rig.write(rig.ds(1).rate_control_mode, int32_t(0));
    // 60 ms a pulse: 16.7 pulses/s, 10 l/min, 100 l/ha on 6 m at 10 km/h.
    rig.write(rig.ds(1).actual_period, 60000u);
    rig.controller->tick_500ms();
    EXPECT_NEAR(rig.controller->channel_state(1).filtered_rate, 100.0, 1e-6);
    EXPECT_NEAR(rig.read(rig.ds(1).flow_rate), 166.7, 1e-6);
    EXPECT_EQ(rig.read(rig.ds(1).active_nozzles), 0u);
    EXPECT_EQ(rig.read(rig.ds(1).nozzle_flow_rate), 0.0);
    // Sections 0 and 2 on: 8 nozzles.
    rig.write(rig.store.body.booms.boom[2].sections[0].setpoint_work_state, 1u);
    rig.write(rig.store.body.booms.boom[2].sections[2].setpoint_work_state, 1u);
    rig.controller->tick_500ms();
    EXPECT_EQ(rig.read(rig.ds(1).active_nozzles), 8u);
    EXPECT_NEAR(rig.read(rig.ds(1).nozzle_flow_rate), 166.7 / 8, 1e-6);
}

TEST(Drive_targets, automatic_filter_factor)
{
    struct Case {
        double requested;
        float factor;
        double actual; // first tick, filter 0.5 from 0
    };
    // The measured rate is 100 kg/ha.
    const Case cases[] = {
        {100.0, 0.9f, 100.0}, // on target: snaps to the request
        {104.0, 0.9f, 104.0}, // within 5 %
        {200.0, 0.4f, 50.0},  // far off: fast filter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.requested);
        Controller_rig rig;
        rig.granular_channel(0);
        rig.channel(0).rate_filter_factor.set(0.5f);
        rig.controller->refresh_parameters();
        rig.master_on();
        rig.write(rig.ds(0).requested_rate, c.requested);
        rig.write(rig.ds(0).actual_period, 300000u);
        rig.controller->tick_500ms();
        EXPECT_FLOAT_EQ(rig.channel(0).rate_filter_factor.get(), c.factor);
        EXPECT_NEAR(rig.controller->channel_state(0).filtered_rate, c.actual, 1e-9);
    }
}

TEST(Drive_targets, filter_timing_bases)
{
    struct Case {
        const char* what;
        uint8_t mode, type, style;
        double rate;
        uint32_t base;
    };
    // Actuator of 10 pulses a revolution, 0.5 kg a revolution, 6 m at 10 km/h.
    const Case cases[] = {
        {"actuator style 1", 0, 1, 1, 100.0, 10},
        {"actuator style 2", 0, 1, 2, 100.0, 10},
        {"actuator, 300 ms a pulse", 0, 1, 0, 100.0, 20},
        {"actuator, 3 s a pulse", 0, 1, 0, 10.0, 20},
        {"actuator, 30 s a pulse", 0, 1, 0, 1.0, 90},
        {"actuator, no target", 0, 1, 0, 0.0, 90},
        {"motor", 0, 0, 0, 100.0, 10},
        {"flow", 1, 1, 0, 100.0, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Controller_rig rig;
        rig.granular_channel(0);
        rig.channel(0).mode.set(c.mode);
        rig.channel(0).granular_controller_type.set(c.type);
        rig.channel(0).actuator_style.set(c.style);
        rig.channel(0).act_encoder_ratio.set(10.0f);
        rig.controller->refresh_parameters();
        rig.write(rig.store.body.vehicle.speed, 10.0f * 0.2777777777777778f);
        rig.write(rig.ds(0).requested_rate, c.rate);
        rig.controller->setpoint_changed(0);
        const Seeder_controller::Filter_timing& t = rig.controller->filter_timing(0);
        EXPECT_EQ(t.words[1], 16 * c.base);
        EXPECT_EQ(t.words[2], 8 * c.base);
        EXPECT_EQ(t.words[3], 2 * c.base);
        EXPECT_EQ(t.words[4], c.base);
        EXPECT_EQ(rig.controller->channel_state(0).filter_countdowns[3], (c.base + 1) / 2);
    }
}

TEST(Drive_targets, an_unknown_drive_keeps_its_filter_timing)
{
    Controller_rig rig;
    rig.granular_channel(0);
    rig.channel(0).granular_controller_type.set(1);
    rig.controller->refresh_parameters();
    rig.controller->setpoint_changed(0); // no target: base 90
    rig.channel(0).granular_controller_type.set(4);
    rig.controller->refresh_parameters();
    rig.controller->setpoint_changed(0);
    EXPECT_EQ(rig.controller->filter_timing(0).words[4], 90u);
}

TEST(Drive_targets, a_setpoint_change_marks_the_rate_change)
{
    Controller_rig rig;
    rig.granular_channel(0);
    rig.channel(0).preset_rate_1.set(80.0f);
    rig.controller->refresh_parameters();
    rig.write(rig.ds(0).requested_rate, 90.0);
    rig.controller->setpoint_changed(0);
    EXPECT_TRUE(rig.read(rig.ds(0).rate_variation));
    EXPECT_TRUE(rig.read(rig.ds(0).rate_change_active));
    EXPECT_FLOAT_EQ(rig.channel(0).current_rate.get(), 90.0f);
    EXPECT_EQ(rig.controller->channel_state(0).restart_countdown, 10u);
    for (int tick = 1; tick <= 10; ++tick) {
        EXPECT_TRUE(rig.read(rig.ds(0).rate_change_active)) << tick;
        rig.controller->tick_500ms();
    }
    EXPECT_FALSE(rig.read(rig.ds(0).rate_change_active));
    rig.write(rig.ds(0).requested_rate, 80.0);
    rig.controller->setpoint_changed(0);
    EXPECT_FALSE(rig.read(rig.ds(0).rate_variation));
}

}
