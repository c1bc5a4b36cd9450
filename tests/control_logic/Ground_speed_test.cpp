#include "tests/control_logic/Controller_rig.h"

#include <gtest/gtest.h>

namespace {

constexpr float kmh = 0.2777777777777778f; // m/s per km/h

// A wheel sensor of 0.1 m per pulse at 100 ms between pulses gives 3.6 km/h.
void wheel_at_1_mps(Controller_rig& rig)
{
    rig.app().wheel_cal_factor.set(0.1f);
    rig.write(rig.store.body.vehicle.ground_speed_sensor.period, 100000u);
}

TEST(Ground_speed, each_source_gives_its_speed)
{
    struct Case {
        uint8_t source;
        float speed, source_speed; // m/s
    };
    // GPS 2.0 m/s, wheel 1.0 m/s, manual 9 km/h = 2.5 m/s.
    const Case cases[] = {
        {0, 2.0f, 2.0f}, {1, 1.0f, 1.0f}, {2, 1.0f, 1.0f}, {3, 2.5f, 2.5f},
        {4, 2.0f, 2.0f}, {5, 2.0f, 2.0f}, {6, 2.0f, 2.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.source));
        Controller_rig rig;
        wheel_at_1_mps(rig);
        rig.app().manual_speed.set(9.0f);
        rig.app().speed_source.set(c.source);
        rig.write(rig.store.body.vehicle.gps_speed, 2.0f);
        rig.controller->refresh_parameters();
        rig.controller->tick_500ms();
        EXPECT_NEAR(rig.read(rig.store.body.vehicle.speed), c.speed, 1e-5);
        EXPECT_NEAR(rig.read(rig.store.body.vehicle.source_speed), c.source_speed, 1e-5);
    }
}

TEST(Ground_speed, source_7_holds_the_last_speed_with_no_source_speed)
{
    Controller_rig rig;
    wheel_at_1_mps(rig);
    rig.controller->refresh_parameters();
    rig.controller->tick_500ms();
    rig.app().speed_source.set(7);
    rig.write(rig.store.body.vehicle.ground_speed_sensor.period, 0u);
    rig.controller->refresh_parameters();
    rig.controller->tick_500ms();
    EXPECT_NEAR(rig.read(rig.store.body.vehicle.speed), 1.0f, 1e-5);
    EXPECT_EQ(rig.read(rig.store.body.vehicle.source_speed), 0.0f);
}

TEST(Ground_speed, a_wheel_period_of_0_is_standstill)
{
    Controller_rig rig;
    rig.app().wheel_cal_factor.set(0.1f);
    rig.controller->refresh_parameters();
    rig.controller->tick_500ms();
    EXPECT_EQ(rig.read(rig.store.body.vehicle.speed), 0.0f);
    EXPECT_FALSE(rig.controller->moving());
}

TEST(Ground_speed, source_3_sets_manual_speed_at_once)
{
    Controller_rig rig;
    rig.app().manual_speed.set(18.0f);
    rig.app().speed_source.set(3);
    rig.controller->refresh_parameters();
    EXPECT_TRUE(rig.read(rig.store.body.operation.use_manual_speed));
    EXPECT_NEAR(rig.read(rig.store.body.vehicle.speed), 5.0f, 1e-5);
    rig.app().speed_source.set(4);
    rig.controller->refresh_parameters();
    EXPECT_FALSE(rig.read(rig.store.body.operation.use_manual_speed));
}

TEST(Ground_speed, manual_speed_0_gives_no_moving_edge)
{
    Controller_rig rig;
    rig.app().manual_speed.set(0.0f);
    rig.app().speed_source.set(3);
    rig.controller->refresh_parameters();
    rig.controller->tick_500ms();
    EXPECT_EQ(rig.read(rig.store.body.vehicle.speed), 0.0f);
    EXPECT_FALSE(rig.controller->moving());
}

TEST(Ground_speed, starting_to_move_restarts_the_rate_filters_once)
{
    Controller_rig rig;
    rig.app().speed_source.set(4);
    rig.granular_channel(0);
    rig.write(rig.store.body.operation.use_manual_speed, false);
    rig.controller->setpoint_changed(0); // the channel is seen active
    // A soft restart sets the first filter countdown to 80; each tick counts it down.
    struct Step {
        float kmh;
        uint32_t countdown;
    };
    const Step steps[] = {{0.0f, 79}, {0.4f, 78}, {0.6f, 79}, {0.6f, 78}, {0.8f, 77}, {0.4f, 76}, {0.6f, 79}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.kmh);
        rig.write(rig.store.body.vehicle.gps_speed, s.kmh * kmh);
        rig.controller->tick_500ms();
        EXPECT_EQ(rig.controller->channel_state(0).filter_countdowns[0], s.countdown);
    }
}

TEST(Ground_speed, pulses_stay_in_the_store_during_calibration)
{
    Controller_rig rig;
    rig.write(rig.store.body.operation.calibration_state, int32_t(1));
    rig.write(rig.store.body.vehicle.ground_speed_sensor.pulse_count, 5u);
    rig.controller->tick_500ms();
    EXPECT_EQ(rig.read(rig.store.body.vehicle.ground_speed_sensor.pulse_count), 5u);
    rig.write(rig.store.body.operation.calibration_state, int32_t(0));
    rig.controller->tick_500ms();
    EXPECT_EQ(rig.read(rig.store.body.vehicle.ground_speed_sensor.pulse_count), 0u);
}

TEST(Ground_speed, distance_and_maximum_speed_in_metres_and_m_per_s)
{
    struct Case {
        uint8_t source;
        bool master;
        float distance, max_speed;
    };
    // GPS 2 m/s; wheel 1 m/s with 10 pulses of 0.1 m taken.
    const Case cases[] = {
        {4, true, 1.0f, 2.0f}, {0, true, 1.0f, 2.0f}, {1, true, 1.0f, 1.0f},
        {2, true, 0.5f, 1.0f}, {4, false, 0.0f, 2.0f}, {1, false, 0.0f, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "source " << int(c.source) << " master " << c.master);
        Controller_rig rig;
        rig.app().speed_source.set(c.source);
        wheel_at_1_mps(rig);
        rig.granular_channel(0);
        rig.write(rig.store.body.operation.use_manual_speed, false);
        rig.controller->setpoint_changed(0);
        if (c.master)
            rig.master_on();
        rig.write(rig.store.body.vehicle.gps_speed, 2.0f);
        rig.write(rig.store.body.vehicle.ground_speed_sensor.pulse_count, 10u);
        rig.controller->tick_500ms();
        EXPECT_NEAR(rig.read(rig.store.body.history.machine_operating_distance), c.distance, 1e-5);
        EXPECT_NEAR(rig.read(rig.store.body.history.max_speed), c.max_speed, 1e-5);
    }
}

TEST(Ground_speed, the_runtime_meter_sums_working_and_idle_time)
{
    Manual_clock clock;
    Controller_rig rig;
    rig.write(rig.store.body.operation.master_switch_active, true);
    for (int i = 0; i < 3; ++i) {
        clock.advance(500);
        rig.controller->tick_500ms();
    }
    rig.write(rig.store.body.operation.master_switch_active, false);
    for (int i = 0; i < 5; ++i) {
        clock.advance(500);
        rig.controller->tick_500ms();
    }
    EXPECT_EQ(rig.read(rig.store.body.interface.lifetime_effective_time), 1);
    EXPECT_EQ(rig.read(rig.store.body.interface.lifetime_ineffective_time), 2);
    clock.advance(500);
    rig.controller->tick_500ms();
    EXPECT_EQ(rig.read(rig.store.body.interface.lifetime_ineffective_time), 3);
}

}
