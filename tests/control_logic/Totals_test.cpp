#include "tests/control_logic/Controller_rig.h"

#include <gtest/gtest.h>

namespace {

// The master on and channel 0 working a 6 m machine.
struct Totals_rig : Controller_rig {
    Totals_rig()
    {
        granular_channel(0);
        controller->setpoint_changed(0);
        master_on();
    }
    ds_areas& areas() { return store.body.areas; }
    float machine_area() { return read(store.body.history.machine_operating_area); }
};

TEST(Totals, the_first_working_tick_after_a_stop_adds_no_area)
{
    Totals_rig rig;
    rig.app().speed_source.set(4);
    rig.controller->refresh_parameters();
    rig.write(rig.store.body.operation.use_manual_speed, false);
    rig.write(rig.store.body.vehicle.gps_speed, 2.0f); // 7.2 km/h: 1 m², 0.0001 ha, per metre
    rig.write(rig.areas().sub_area_number, 3u);

    rig.controller->tick_500ms();
    EXPECT_EQ(rig.machine_area(), 0.0f);
    EXPECT_EQ(rig.read(rig.areas().area[0].total), 0.0f);
    EXPECT_EQ(rig.read(rig.areas().sub_area[0][3]), 0.0f);

    rig.controller->tick_500ms(); // 1 m at 6 m wide
    EXPECT_NEAR(rig.machine_area(), 0.0006, 1e-7);
    EXPECT_NEAR(rig.read(rig.areas().area[0].total), 0.0006, 1e-7);
    EXPECT_NEAR(rig.read(rig.areas().sub_area[0][3]), 0.0006, 1e-7);
    EXPECT_NEAR(rig.read(rig.ds(0).lifetime_total_area), 6.0, 1e-4);
    EXPECT_NEAR(rig.read(rig.areas().area_rate), 7.2 * 6 * 0.1, 1e-4);
    EXPECT_NEAR(rig.read(rig.store.body.history.machine_operating_time), 2 * 0.008333334, 1e-7);

    // Stopped by the master: no area, no rate, then again a first tick.
    rig.write(rig.store.body.operation.master_switch_active, false);
    rig.controller->master_switch_changed();
    rig.controller->tick_500ms();
    EXPECT_EQ(rig.read(rig.areas().area_rate), 0.0f);
    rig.master_on();
    rig.controller->tick_500ms();
    rig.controller->tick_500ms();
    EXPECT_NEAR(rig.machine_area(), 0.0012, 1e-7);
}

TEST(Totals, distance_from_wheel_pulses_or_from_speed)
{
    // 100 pulses of 0.1 m in a tick; the manual speed is 10 km/h.
    struct Case {
        const char* what;
        uint8_t source;
        bool preload;
        double area; // ha per tick
    };
    const Case cases[] = {
        {"wheel", 1, false, 10.0 * 6 / 10000},
        {"manual speed: the wheel still measures", 3, false, 10.0 * 6 / 10000},
        {"manual speed while preloading", 3, true, 10.0 * 500 * 6 / 36000000},
        {"wheel while preloading without manual speed", 1, true, 10.0 * 6 / 10000},
        {"speed message", 4, false, 10.0 * 500 * 6 / 36000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Totals_rig rig;
        rig.app().speed_source.set(c.source);
        rig.app().wheel_cal_factor.set(0.1f);
        rig.controller->refresh_parameters();
        if (c.source != 3)
            rig.write(rig.store.body.operation.use_manual_speed, false);
        rig.write(rig.store.body.vehicle.gps_speed, 10.0f / 3.6f);
        rig.write(rig.ds(5).remote_preload, c.preload);
        for (int tick = 0; tick < 2; ++tick) {
            rig.write(rig.store.body.vehicle.ground_speed_sensor.pulse_count, 100u);
            rig.controller->tick_500ms();
        }
        EXPECT_NEAR(rig.machine_area(), c.area, 1e-7);
    }
}

TEST(Totals, product_applied_per_tick)
{
    struct Case {
        const char* what;
        bool control_to_rpm;
        int32_t calibration;
        double applied;
    };
    const Case cases[] = {
        // 100 kg/ha at 10 km/h on 6 m: 100 x 10 x 6 x 500 / 36e6 kg in half a second.
        {"granular", false, 0, 100.0 * 10 * 6 * 500 / 36000000},
        {"a shaft speed is no product", true, 0, 0.0},
        {"a tank calibration is no product", false, 1, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Totals_rig rig;
        rig.channel(0).control_to_rpm.set(c.control_to_rpm);
        rig.controller->refresh_parameters();
        rig.write(rig.store.body.operation.calibration_state, c.calibration);
        rig.write(rig.ds(0).remaining_volume, 50.0);
        rig.write(rig.ds(0).lifetime_total_volume, 40.0);
        rig.write(rig.ds(0).actual_rate, 100.0); // on the ground, from the boom and section step
        rig.write(rig.store.body.areas.sub_area_number, 9u);
        rig.controller->tick_500ms();
        EXPECT_NEAR(rig.read(rig.ds(0).remaining_volume), 50.0 - c.applied, 1e-6);
        EXPECT_NEAR(rig.read(rig.ds(0).lifetime_total_volume), 40.0 + c.applied, 1e-6);
        EXPECT_NEAR(rig.read(rig.store.body.history.output[0]), c.applied, 1e-6);
        EXPECT_NEAR(rig.read(rig.store.body.volumes.sub_volume[0][9]), c.applied, 1e-6);
    }
}

TEST(Totals, a_drive_held_within_five_percent_counts_the_rate_shown)
{
    // 29 rpm of 0.5 kg on 6 m at 10 km/h: 145 kg/ha measured for 150 asked,
    // within 5 %: the rate on the ground, shown and counted, is 150.
    Totals_rig rig;
    rig.write(rig.ds(0).rate_control_mode, int32_t(0));
    rig.write(rig.ds(0).requested_rate, 150.0);
    rig.controller->setpoint_changed(0);
    rig.write(rig.ds(0).actual_period, 206897u);
    rig.write(rig.store.body.booms.boom[0].sections[0].setpoint_work_state, 1u);
    const auto second = [&rig] {
        rig.controller->tick_500ms();
        for (int tick = 0; tick < 5; ++tick)
            rig.controller->tick_100ms();
    };
    second();
    second();
    ASSERT_NEAR(rig.controller->channel_state(0).filtered_rate, 145.0, 0.01);
    EXPECT_DOUBLE_EQ(rig.read(rig.ds(0).actual_rate), 150.0);

    const float output = rig.read(rig.store.body.history.output[0]);
    const double remaining = rig.read(rig.ds(0).remaining_volume);
    const double lifetime = rig.read(rig.ds(0).lifetime_total_volume);
    second();
    const double half_second = 150.0 * 10 * 6 * 500 / 36000000; // 0.125 kg
    EXPECT_NEAR(rig.read(rig.store.body.history.output[0]) - output, half_second, 1e-6);
    EXPECT_NEAR(remaining - rig.read(rig.ds(0).remaining_volume), half_second, 1e-9);
    EXPECT_NEAR(rig.read(rig.ds(0).lifetime_total_volume) - lifetime, half_second, 1e-9);
}

TEST(Totals, a_sub_area_number_beyond_the_ten_adds_to_no_sub_area)
{
    Totals_rig rig;
    rig.app().wheel_cal_factor.set(0.1f);
    rig.controller->refresh_parameters();
    rig.write(rig.ds(0).actual_rate, 100.0);
    rig.write(rig.store.body.areas.sub_area_number, 10u);
    for (int tick = 0; tick < 3; ++tick) {
        rig.write(rig.store.body.vehicle.ground_speed_sensor.pulse_count, 100u);
        rig.controller->tick_500ms();
    }
    EXPECT_GT(rig.read(rig.store.body.history.output[0]), 0.0f);
    EXPECT_GT(rig.machine_area(), 0.0f);
    EXPECT_EQ(rig.read(rig.store.body.areas.sub_area[1][0]), 0.0f);
    EXPECT_EQ(rig.read(rig.store.body.volumes.sub_volume[1][0]), 0.0f);
}

TEST(Totals, maximum_contents)
{
    Controller_rig rig;
    rig.channel(0).capacity.set(500.0f);
    rig.channel(1).capacity.set(500.0f);
    rig.channel(1).mode.set(1);
    rig.controller->refresh_parameters();
    rig.write(rig.ds(0).last_product_density, 0.8);
    rig.write(rig.ds(1).last_product_density, 0.8);
    rig.controller->tick_500ms();
    EXPECT_FLOAT_EQ(rig.read(rig.ds(0).max_contents), 400.0f); // granular: by weight
    EXPECT_FLOAT_EQ(rig.read(rig.ds(1).max_contents), 500.0f); // flow: by volume
}

TEST(Liquid_pressure, from_the_input_by_the_table)
{
    struct Case {
        uint32_t adc;
        float pressure;
    };
    const Case cases[] = {{0, 0.0f},    {15, 0.0f},    {16, 7.4f},   {17, 9.9f},
                          {134, 611.0f}, {135, 0.0f}, {0xFFFF, 0.0f}, {0xFFFFFFFF, 0.0f}};
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(Seeder_controller::liquid_pressure(c.adc), c.pressure) << c.adc;
}

TEST(Liquid_pressure, a_zero_reading_restarts_the_filter)
{
    Controller_rig rig;
    NV_quvel::channel_t& channel = rig.channel(4);
    channel.enabled.set(true);
    channel.liquid_pressure_sense.set(true);
    channel.liquid_filter_factor_pressure.set(0.5f);
    rig.controller->refresh_parameters();
    uint32_t& input = rig.store.body.diagnostics.liquid_pressure_sensor[4].adc_val;
    struct Step {
        uint32_t adc;
        float pressure;
    };
    const Step steps[] = {
        {16, 7.4f}, // a new reading is taken as it is
        {134, (7.4f + 611.0f) / 2},
        {0, 0.0f},
        {134, 611.0f},
        {16, (611.0f + 7.4f) / 2},
    };
    for (const Step& s : steps) {
        rig.write(input, s.adc);
        rig.controller->tick_500ms();
        EXPECT_FLOAT_EQ(rig.read(rig.ds(4).liquid_pressure), s.pressure) << s.adc;
    }
    channel.liquid_filter_pressure.set(false);
    rig.controller->refresh_parameters();
    rig.write(input, 20u);
    rig.controller->tick_500ms();
    EXPECT_FLOAT_EQ(rig.read(rig.ds(4).liquid_pressure), 17.4f);
}

TEST(Liquid_pressure, an_input_in_use_by_a_fan_or_not_sensed_reads_nothing)
{
    Controller_rig rig;
    for (int i : {1, 6}) {
        rig.channel(i).enabled.set(true);
        rig.channel(i).liquid_pressure_sense.set(true);
    }
    rig.app().fans[1]->sense_pressure.set(true);
    rig.channel(7).enabled.set(true); // senses nothing
    rig.controller->refresh_parameters();
    ds_diagnostics& diagnostics = rig.store.body.diagnostics;
    for (int i : {1, 6, 7}) {
        rig.write(diagnostics.liquid_pressure_sensor[i].adc_val, 100u);
        rig.write(rig.ds(i).liquid_pressure, 50.0f);
    }
    rig.write(rig.ds(6).restart_liquid_pressure_filter, true);
    rig.controller->tick_500ms();
    for (int i : {1, 7}) {
        EXPECT_EQ(rig.read(diagnostics.liquid_pressure_sensor[i].adc_val), 0u) << i;
        EXPECT_EQ(rig.read(rig.ds(i).liquid_pressure), 0.0f) << i;
    }
    EXPECT_FLOAT_EQ(rig.read(rig.ds(6).liquid_pressure), 333.7f);
}

}
