#include "tests/control_logic/Controller_rig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

ds_channel& downforce(Controller_rig& rig, int d)
{
    return rig.store.body.downforces.channels[d];
}

TEST(Downforce, direct_output_in_per_mille)
{
    struct Case {
        double request;
        bool enabled, track_master, master;
        uint32_t output;
    };
    const Case cases[] = {
        {150.0, true, false, false, 1000}, {12.34, true, false, false, 123}, {-5.0, true, false, false, 0},
        {100.0, true, false, false, 1000}, {50.0, false, false, false, 0},   {50.0, true, true, false, 0},
        {50.0, true, true, true, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.request << " enabled " << c.enabled << " track " << c.track_master
                                        << " master " << c.master);
        Controller_rig rig;
        rig.app().downforces[2]->enabled.set(c.enabled);
        rig.app().down_force_track_master.set(c.track_master);
        rig.controller->refresh_parameters();
        if (c.master)
            rig.master_on();
        rig.write(downforce(rig, 2).rate_control_mode, int32_t(0));
        rig.write(downforce(rig, 2).requested_rate, c.request);
        rig.controller->tick_100ms();
        EXPECT_EQ(rig.read(downforce(rig, 2).set_period), c.output);
    }
}

TEST(Downforce, pressure_to_byte_stays_within_a_byte)
{
    struct Case {
        double pressure, vmin, vmax, pmax;
        uint8_t byte;
    };
    const Case cases[] = {
        {0.0, 0.5, 4.5, 100.0, 26},   // 0.5 V
        {50.0, 0.5, 4.5, 100.0, 128}, // 2.5 V
        {100.0, 0.5, 4.5, 100.0, 230},
        {1000.0, 0.5, 4.5, 100.0, 255},
        {-1000.0, 0.5, 4.5, 100.0, 0},
        {0.001, 0.0, 5.0, 0.0, 13}, // no pressure range: 256 V per unit
        {1e30, 0.0, 5.0, 0.0, 255},
        {std::numeric_limits<double>::quiet_NaN(), 0.5, 4.5, 100.0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pressure);
        EXPECT_EQ(Seeder_controller::pressure_to_byte(c.pressure, c.vmin, c.vmax, c.pmax), c.byte);
    }
}

TEST(Downforce, pressure_control_for_both_opener_types)
{
    struct Case {
        uint8_t opener;
        double request;
        float speed_kmh;
        uint32_t output;
    };
    // No load; sensor 0.5..4.5 V for 0..10000.
    // Type 0, 50: 2181.7 -> 1.373 V -> 70. Type 1, 100: 6866.3 -> 3.247 V -> 166.
    const Case cases[] = {
        {0, 50.0, 10.0f, 70}, {1, 100.0, 10.0f, 166}, {0, 10.0, 10.0f, 26}, // negative pressure is 0: 0.5 V
        {2, 50.0, 10.0f, 26}, {0, 50.0, 0.4f, 0},                           // standing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "opener " << int(c.opener) << " request " << c.request);
        Controller_rig rig;
        rig.app().downforces[0]->enabled.set(true);
        rig.app().control_to_pack_force.set(true);
        rig.app().personality.set(1);
        rig.app().drill_opener_type.set(c.opener);
        rig.app().sensor_min_voltage.set(0.5f);
        rig.app().sensor_max_voltage.set(4.5f);
        rig.app().sensor_max_pressure.set(10000.0f);
        rig.app().load_sensor_min_ADC.set(10);
        rig.app().load_sensor_max_ADC.set(250);
        rig.app().load_sensor_max_load.set(500.0f);
        rig.app().manual_speed.set(c.speed_kmh);
        rig.controller->refresh_parameters();
        rig.write(rig.store.body.operation.use_manual_speed, true);
        rig.write(downforce(rig, 0).requested_rate, c.request);
        rig.controller->tick_100ms();
        EXPECT_EQ(rig.read(downforce(rig, 0).set_period), c.output);
    }
}

TEST(Downforce, pressure_control_without_pack_force_maps_the_request)
{
    Controller_rig rig;
    rig.app().downforces[0]->enabled.set(true);
    rig.app().sensor_min_voltage.set(0.5f);
    rig.app().sensor_max_voltage.set(4.5f);
    rig.app().sensor_max_pressure.set(100.0f);
    rig.controller->refresh_parameters();
    rig.write(rig.store.body.operation.use_manual_speed, true);
    rig.write(downforce(rig, 0).requested_rate, 50.0);
    rig.controller->tick_100ms();
    EXPECT_EQ(rig.read(downforce(rig, 0).set_period), 128u);
}

TEST(Downforce, feedback_reads_pressure_and_load)
{
    Controller_rig rig;
    rig.app().downforces[1]->enabled.set(true);
    rig.app().downforces[1]->filter_rate.set(false);
    rig.app().sensor_min_voltage.set(0.0f);
    rig.app().sensor_max_voltage.set(5.0f);
    rig.app().sensor_max_pressure.set(256.0f);
    rig.app().load_sensor_min_ADC.set(0);
    rig.app().load_sensor_max_ADC.set(200);
    rig.app().load_sensor_max_load.set(400.0f);
    rig.controller->refresh_parameters();
    rig.write(downforce(rig, 1).rate_control_mode, int32_t(0));
    rig.write(rig.store.body.diagnostics.downforce[1].press_adc.adc_val, 64u);
    rig.write(rig.store.body.diagnostics.downforce[1].df_adc.adc_val, 50u);
    rig.controller->tick_500ms();
    EXPECT_NEAR(rig.read(downforce(rig, 1).liquid_pressure), 64.0f, 1e-3);
    EXPECT_NEAR(rig.read(downforce(rig, 1).actual_rate), 100.0, 1e-3);
    EXPECT_NEAR(rig.read(downforce(rig, 1).flow_rate), 100.0, 1e-3);
}

}
