#include "tests/control_logic/Controller_rig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(Seeder_controller, rounding_and_saturating_conversions)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double x;
        int32_t rounded;
        uint32_t truncated;
    };
    const Case cases[] = {
        {2.5, 3, 2},   {2.49, 2, 2},  {-2.5, -2, 0}, {-2.6, -3, 0}, {0.0, 0, 0},
        {1e12, std::numeric_limits<int32_t>::max(), std::numeric_limits<uint32_t>::max()},
        {-1e12, std::numeric_limits<int32_t>::min(), 0},
        {nan, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(Seeder_controller::round_half_up(c.x), c.rounded);
        EXPECT_EQ(Seeder_controller::to_u32(c.x), c.truncated);
    }
}

TEST(Seeder_controller, percent_error)
{
    struct Case {
        double reference, actual, error;
    };
    const Case cases[] = {{0.0, 5.0, 0.0}, {5.0, 0.0, 100.0}, {100.0, 95.0, 5.0}, {100.0, 110.0, 10.0}, {-50.0, -25.0, 50.0}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Seeder_controller::percent_error(c.reference, c.actual), c.error);
}

TEST(Seeder_controller, fan_pressure_by_sensor_type)
{
    NV_quvel::voltage_pressure_sensor_t sensor;
    sensor.min_voltage.set(0.5f);
    sensor.max_voltage.set(4.5f);
    sensor.max_pressure.set(100.0f);
    struct Case {
        uint8_t type;
        uint32_t adc;
        double pressure;
    };
    const Case cases[] = {
        {2, 40, 0.0},                        // 0.78 V, below the offset
        {2, 128, (2.5 - 0.8) * 4309.223},    //
        {3, 128, 50.0},                      // 2.5 V on 0.5..4.5 V for 100
        {3, 10, 0.0},                        // below the minimum voltage
        {1, 100, (100 - 61.4) * 0.16875},    //
        {0, 50, 0.0},                        // never below 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << int(c.type) << " adc " << c.adc);
        EXPECT_NEAR(Seeder_controller::fan_pressure(c.type, c.adc, sensor), c.pressure, 1e-3);
    }
}

TEST(Seeder_controller, fan_speed_filter)
{
    Controller_rig rig;
    NV_quvel::fan_t& fan = *rig.app().fans[1];
    fan.sense_rpm.set(true);
    fan.filter_factor_rpm.set(0.5f);
    fan.avg_rpm.set(100.0f);
    rig.controller->refresh_parameters();
    ds_fan& ds = rig.store.body.fans[1];
    ds_history& history = rig.store.body.history;
    rig.write(history.fan_samples_counter, 7199u);
    struct Step {
        float raw, rpm;
        uint32_t counter;
    };
    const Step steps[] = {
        {200.0f, 200.0f, 7200}, // the first reading is taken as it is
        {400.0f, 300.0f, 0},    // filtered; the counter wraps after an hour
        {50.0f, 50.0f, 1},      // below 100 rpm: not filtered
        {150.0f, 100.0f, 2},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.raw);
        rig.write(ds.raw_rpm, s.raw);
        rig.controller->tick_500ms();
        EXPECT_FLOAT_EQ(rig.read(ds.rpm), s.rpm);
        EXPECT_EQ(rig.read(history.fan_samples_counter), s.counter);
    }
    EXPECT_FLOAT_EQ(rig.read(history.fan_max_speed[1]), 300.0f);
}

TEST(Seeder_controller, fan_average_restarts_when_the_sample_counter_wraps)
{
    Controller_rig rig;
    NV_quvel::fan_t& fan = *rig.app().fans[0];
    fan.sense_rpm.set(true);
    fan.filter_rpm.set(false);
    fan.avg_rpm.set(100.0f);
    rig.controller->refresh_parameters();
    ds_history& history = rig.store.body.history;
    rig.write(history.fan_avg_speed[0], 1000.0f);
    rig.write(history.fan_speed_samples[0], 50u);
    rig.write(rig.store.body.fans[0].raw_rpm, 200.0f);
    rig.write(history.fan_samples_counter, 5u);
    rig.controller->tick_500ms();
    EXPECT_NEAR(rig.read(history.fan_avg_speed[0]), (200.0f + 50 * 1000.0f) / 51, 1e-2);
    EXPECT_EQ(rig.read(history.fan_speed_samples[0]), 51u);
    rig.write(history.fan_samples_counter, 7200u);
    rig.controller->tick_500ms();
    EXPECT_FLOAT_EQ(rig.read(history.fan_avg_speed[0]), 200.0f);
    EXPECT_EQ(rig.read(history.fan_speed_samples[0]), 1u);
}

TEST(Seeder_controller, fan_pressure_filter_and_threshold)
{
    Controller_rig rig;
    NV_quvel::fan_t& fan = *rig.app().fans[2];
    fan.sense_pressure.set(true);
    fan.filter_factor_pressure.set(0.5f);
    fan.pressure_sensor_type.set(1);
    rig.controller->refresh_parameters();
    uint32_t& adc = rig.store.body.diagnostics.fans[2].adc.adc_val;
    rig.write(adc, 181u); // (181 - 61.4) x 0.16875 = 20.1825
    rig.controller->tick_500ms();
    EXPECT_NEAR(rig.read(rig.store.body.fans[2].pressure), 20.1825 / 2, 1e-3);
    rig.write(adc, 62u); // 0.10: below 1, no pressure
    rig.controller->tick_500ms();
    EXPECT_EQ(rig.read(rig.store.body.fans[2].pressure), 0.0f);
    EXPECT_NEAR(rig.read(rig.store.body.history.fan_max_pressure[2]), 20.1825 / 2, 1e-3);
}

TEST(Seeder_controller, a_section_drive_error_shows_on_the_11th_tick)
{
    Controller_rig rig;
    rig.app().booms.section_monitoring.set(true);
    rig.app().booms.booms[1]->type.set(1);
    rig.controller->refresh_parameters();
    rig.master_on();
    ds_boom& boom = rig.store.body.booms.boom[1];
    rig.write(boom.sections[3].setpoint_work_state, 1u);
    for (int tick = 1; tick <= 10; ++tick) {
        rig.controller->tick_500ms();
        EXPECT_EQ(rig.read(boom.section_drive_error_status), 0u) << tick;
    }
    rig.controller->tick_500ms();
    EXPECT_EQ(rig.read(boom.section_drive_error_status), 1u << 3);
    EXPECT_TRUE(rig.controller->any_section_drive_error());
    rig.write(boom.section_sense_state, 1u << 3);
    rig.controller->tick_500ms();
    EXPECT_EQ(rig.read(boom.section_drive_error_status), 0u);
    EXPECT_FALSE(rig.controller->any_section_drive_error());
}

TEST(Seeder_controller, section_drives_are_watched_only_where_configured)
{
    struct Case {
        const char* what;
        bool monitoring;
        int boom;
        uint8_t type;
        bool master;
    };
    const Case cases[] = {
        {"monitoring off", false, 1, 1, true},
        {"boom type 2", true, 1, 2, true},
        {"boom 0", true, 0, 1, true},
        {"master off", true, 1, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Controller_rig rig;
        rig.app().booms.section_monitoring.set(c.monitoring);
        rig.app().booms.booms[c.boom]->type.set(c.type);
        rig.controller->refresh_parameters();
        if (c.master)
            rig.master_on();
        rig.write(rig.store.body.booms.boom[c.boom].sections[0].setpoint_work_state, 1u);
        for (int tick = 0; tick < 12; ++tick)
            rig.controller->tick_500ms();
        EXPECT_EQ(rig.read(rig.store.body.booms.boom[c.boom].section_drive_error_status), 0u);
    }
}

TEST(Seeder_controller, a_pulsed_monitor_shows_on_the_10th_tick)
{
    Controller_rig rig;
    ds_section_monitoring& monitors = rig.store.body.section_monitors;
    rig.write(monitors.raw_pulsed_section_monitors_status, 0x80000001u);
    for (int tick = 1; tick <= 9; ++tick) {
        rig.controller->tick_500ms();
        EXPECT_EQ(rig.read(monitors.pulsed_section_monitors_status), 0u) << tick;
    }
    rig.controller->tick_500ms();
    EXPECT_EQ(rig.read(monitors.pulsed_section_monitors_status), 0x80000001u);
    rig.write(monitors.raw_pulsed_section_monitors_status, 1u);
    rig.controller->tick_500ms();
    EXPECT_EQ(rig.read(monitors.pulsed_section_monitors_status), 1u);
}

TEST(Seeder_controller, sections_settle_30_ticks_after_a_restart)
{
    Controller_rig rig;
    ds_section_monitoring& monitors = rig.store.body.section_monitors;
    rig.write(monitors.sections_settled, true);
    rig.controller->restart_section_settle();
    EXPECT_FALSE(rig.read(monitors.sections_settled));
    for (int tick = 1; tick < 30; ++tick)
        rig.controller->tick_500ms();
    EXPECT_FALSE(rig.read(monitors.sections_settled));
    rig.controller->tick_500ms();
    EXPECT_TRUE(rig.read(monitors.sections_settled));
}

TEST(Seeder_controller, a_disabled_channel_loses_active)
{
    Controller_rig rig;
    rig.granular_channel(4);
    rig.controller->tick_500ms();
    EXPECT_TRUE(rig.read(rig.ds(4).active));
    rig.channel(4).enabled.set(false);
    rig.controller->refresh_parameters();
    rig.controller->tick_500ms();
    EXPECT_FALSE(rig.read(rig.ds(4).active));
}

TEST(Seeder_controller, motor_current_is_cleared_except_on_electric_motors)
{
    Controller_rig rig;
    rig.channel(0).granular_controller_type.set(0);
    rig.channel(1).granular_controller_type.set(1);
    rig.controller->refresh_parameters();
    for (int i = 0; i < 2; ++i) {
        rig.write(rig.ds(i).motor_current, 3.0f);
        rig.write(rig.store.body.diagnostics.motor_current[i].adc_val, 7u);
    }
    rig.controller->tick_500ms();
    EXPECT_EQ(rig.read(rig.ds(0).motor_current), 3.0f);
    EXPECT_EQ(rig.read(rig.store.body.diagnostics.motor_current[0].adc_val), 7u);
    EXPECT_EQ(rig.read(rig.ds(1).motor_current), 0.0f);
    EXPECT_EQ(rig.read(rig.store.body.diagnostics.motor_current[1].adc_val), 0u);
}

TEST(Seeder_controller, save_totals_copies_the_store_into_the_parameters)
{
    Controller_rig rig;
    rig.write(rig.store.body.areas.sub_area[2][3], 4.5f);
    rig.write(rig.store.body.volumes.sub_volume[9][9], 7.0f);
    rig.write(rig.store.body.areas.area[0].total, 11.0f);
    rig.write(rig.ds(2).remaining_volume, 321.0);
    rig.write(rig.store.body.history.max_speed, 1.5f);
    rig.write(rig.store.body.history.machine_operating_distance, 42.0f);
    rig.write(rig.store.body.history.output[5], 8.0f);
    rig.write(rig.store.body.history.fan_avg_pressure[3], 9.0f);
    rig.controller->save_totals();
    NV_quvel::application_t& app = rig.app();
    EXPECT_EQ(app.areas.channel[2]->sub_area[3]->total.get(), 4.5f);
    EXPECT_EQ(app.volumes.channel[9]->sub_area[9]->total.get(), 7.0f);
    EXPECT_EQ(app.areas.area[0]->total.get(), 11.0f);
    EXPECT_EQ(rig.channel(2).remaining.get(), 321.0f);
    EXPECT_EQ(app.history.max_speed.get(), 1.5f);
    EXPECT_EQ(app.history.machine_operating_distance.get(), 42.0f);
    EXPECT_EQ(app.history.output[5]->total.get(), 8.0f);
    EXPECT_EQ(app.history.fan_avg_pressure[3]->value.get(), 9.0f);
}

TEST(Seeder_controller, save_totals_stores_nothing_with_a_non_vt_display)
{
    Controller_rig rig;
    rig.write(rig.store.body.system.non_vtt_connected, true);
    rig.write(rig.store.body.history.max_speed, 1.5f);
    rig.write(rig.store.body.areas.sub_area[0][0], 4.5f);
    rig.controller->save_totals();
    EXPECT_EQ(rig.app().history.max_speed.get(), 0.0f);
    EXPECT_EQ(rig.app().areas.channel[0]->sub_area[0]->total.get(), 0.0f);
}

TEST(Seeder_controller, operations_on_store_events)
{
    Controller_rig rig;
    ds_operation& operation = rig.store.body.operation;
    // The master inhibit.
    rig.write(operation.master_switch_active, true);
    rig.write(operation.inhibit_master_switch, false);
    rig.controller->inhibit_master();
    EXPECT_TRUE(rig.read(operation.master_switch_active));
    rig.write(operation.inhibit_master_switch, true);
    rig.controller->inhibit_master();
    EXPECT_FALSE(rig.read(operation.master_switch_active));

    // The end of a calibration with a calibration switch box switches the master off.
    rig.write(operation.master_switch_active, true);
    rig.controller->calibration_state_changed();
    EXPECT_TRUE(rig.read(operation.master_switch_active));
    rig.app().swbox_cal_swbox_type.set(1);
    rig.controller->refresh_parameters();
    rig.controller->calibration_state_changed();
    EXPECT_FALSE(rig.read(operation.master_switch_active));

    // The pulse count reset.
    rig.write(rig.ds(3).reset_pulse_count, true);
    rig.write(rig.store.body.diagnostics.shaft[3].pulse_count, 99u);
    rig.controller->reset_pulse_count(3);
    EXPECT_FALSE(rig.read(rig.ds(3).reset_pulse_count));
    EXPECT_EQ(rig.read(rig.store.body.diagnostics.shaft[3].pulse_count), 0u);

    // A section's switch state copied while the boom ignores ASC.
    ds_boom& boom = rig.store.body.booms.boom[2];
    rig.write(boom.sections[4].switch_state, 1u);
    rig.controller->copy_section_state(2, 4);
    EXPECT_EQ(rig.read(boom.sections[4].cached_state), 1u);
    rig.write(boom.ignore_ASC, false);
    rig.write(boom.sections[4].switch_state, 0u);
    rig.controller->copy_section_state(2, 4);
    EXPECT_EQ(rig.read(boom.sections[4].cached_state), 1u);
}

TEST(Seeder_controller, reset_diag_data_only_when_asked)
{
    Controller_rig rig;
    rig.write(rig.ds(1).max_rate, 50.0);
    rig.write(rig.ds(1).min_rate, 5.0);
    rig.write(rig.store.body.diagnostics.shaft[1].period, 1234u);
    rig.write(rig.store.body.diagnostics.comms.ecu_count[4], 3u);
    rig.controller->reset_diag_data();
    EXPECT_EQ(rig.read(rig.ds(1).max_rate), 50.0);
    rig.write(rig.store.body.operation.reset_diag_data, true);
    rig.controller->reset_diag_data();
    EXPECT_EQ(rig.read(rig.ds(1).max_rate), 0.0);
    EXPECT_EQ(rig.read(rig.ds(1).min_rate), 1000000.0);
    EXPECT_EQ(rig.read(rig.store.body.diagnostics.shaft[1].period), 0u);
    EXPECT_EQ(rig.read(rig.store.body.diagnostics.comms.ecu_count[4]), 0u);
}

TEST(Seeder_controller, the_1s_tick_keeps_the_address_and_the_minute)
{
    Controller_rig rig;
    rig.write(rig.store.body.system.ip_address, 0xDEADBEEFu);
    for (int s = 1; s <= 60; ++s) {
        rig.controller->tick_1s();
        EXPECT_EQ(rig.controller->minute(), s == 60) << s;
    }
    EXPECT_EQ(rig.read(rig.store.body.system.ip_address), System_info().get_ip_address());
}

}

namespace {

TEST(Seeder_controller, saved_totals_come_back_into_the_store_at_the_start)
{
    Controller_rig before;
    before.write(before.store.body.history.max_speed, 1.5f);
    before.write(before.store.body.areas.sub_area[4][1], 2.5f);
    before.write(before.ds(7).remaining_volume, 12.0);
    before.controller->save_totals();

    Data_store store{nullptr, "0.1.0"};
    Seeder_controller restarted(store, before.parameters);
    EXPECT_EQ(store.body.history.max_speed, 1.5f);
    EXPECT_EQ(store.body.areas.sub_area[4][1], 2.5f);
    EXPECT_EQ(store.body.channels.channels[7].remaining_volume, 12.0);
    restarted.save_totals();
    EXPECT_EQ(before.app().history.max_speed.get(), 1.5f);
}

}
