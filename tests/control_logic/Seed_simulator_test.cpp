// The demonstration simulator on the test's thread and a manual clock.
#include "control_logic/Seed_simulator.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/Atime.h"
#include "platform/rtos/waiter_descriptor.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

namespace {

class Simulator_test : public ::testing::Test {
protected:
    // The task set up, not started: its tick runs here as the clock moves.
    void set_up()
    {
        for (int c = 0; c < 10; ++c)
            parameters.app.channels[c]->capacity.set(100.0f + float(c));
        ASSERT_TRUE(simulator.set_up(&modules));
    }
    void tick()
    {
        clock.advance(Seed_simulator::tick_ms);
        EXPECT_EQ(simulator.run_pending(), 1);
    }

    template <class T>
    T read(const T& item)
    {
        return store.head.get(item);
    }
    template <class T>
    void write(T& item, const T& value)
    {
        store.head.set(item, value);
    }
    ds_channel& channel(int c) { return store.body.channels.channels[c]; }

    Manual_clock clock;
    Debug_capture capture;
    module_man modules;
    Data_store store{nullptr, "0.1.0"};
    NV_quvel::parameters_t parameters;
    Seed_simulator simulator{store, parameters};
};

TEST_F(Simulator_test, the_initial_fill_sets_up_four_channels_the_alarms_and_the_demonstration_parameters)
{
    set_up();
    for (int c = 0; c < 10; ++c) {
        SCOPED_TRACE(c);
        const bool demo = c < 4;
        EXPECT_EQ(read(channel(c).requested_rate), demo ? 10.0 + c : 0.0);
        EXPECT_EQ(read(channel(c).actual_rate), demo ? 10.0 + c : 0.0);
        EXPECT_EQ(read(channel(c).remaining_volume), demo ? 100.0 + c : 0.0);
    }
    EXPECT_EQ(capture.text(), "Setup Channel #0, capacity=100.000000\nSetup Channel #1, capacity=101.000000\n"
                              "Setup Channel #2, capacity=102.000000\nSetup Channel #3, capacity=103.000000\n");
    const ds_alarms& alarms = store.body.alarms;
    EXPECT_FALSE(read(alarms.fan_pressure_low.active));
    EXPECT_TRUE(read(alarms.fan_pressure_high.active));
    EXPECT_TRUE(read(alarms.tank_empty[1].active));
    EXPECT_FALSE(read(alarms.tank_empty[0].active));
    EXPECT_EQ(read(store.body.areas.sub_area_number), 3u);

    const NV_quvel::application_t& app = parameters.app;
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(app.channels[c]->preset_rate_1.get(), 12.0f + float(c));
        EXPECT_EQ(app.channels[c]->preset_rate_2.get(), 22.0f + float(c));
    }
    EXPECT_EQ(app.channels[4]->preset_rate_1.get(), 0.0f);
    EXPECT_EQ(app.manual_speed.get(), 10.1f);
    for (int k = 0; k < 6; ++k) {
        EXPECT_FLOAT_EQ(app.booms.booms[k]->working_length.get(), 2.1f + 0.1f * float(k));
        EXPECT_FLOAT_EQ(app.products[k]->inc_dec.get(), 5.1f + 0.1f * float(k));
    }
    EXPECT_EQ(simulator.get_ticks(), 0u);
}

// Tick n has phase p = n mod 4: channel p is switched on at its end, and the
// values that follow p come back every fourth tick.
TEST_F(Simulator_test, each_tick_moves_the_channels_fans_and_sensors_by_its_phase)
{
    const bool level_sensor_4 = store.body.diagnostics.level_sensor_on[4];
    set_up();
    for (uint32_t n = 1; n <= 9; ++n) {
        SCOPED_TRACE(n);
        tick();
        const uint32_t p = n % 4;
        for (int c = 0; c < 4; ++c) {
            SCOPED_TRACE(c);
            EXPECT_EQ(read(channel(c).active), uint32_t(c) == p);
            EXPECT_EQ(read(channel(c).actual_rate), 10.0 + c + p);
            EXPECT_EQ(parameters.app.products[c]->preset_rate_1.get(), float(10 + c + p));
            EXPECT_EQ(read(store.body.diagnostics.level_sensor_on[c]), uint32_t(c) <= p);
        }
        EXPECT_FALSE(read(channel(4).active));
        EXPECT_EQ(read(channel(4).actual_rate), 0.0);
        EXPECT_EQ(read(store.body.diagnostics.level_sensor_on[4]), level_sensor_4);

        const ds_fan* fans = store.body.fans;
        EXPECT_EQ(read(fans[0].rpm), 11.3f * float(p));
        EXPECT_EQ(read(fans[1].rpm), 12.3f * float(p));
        EXPECT_EQ(read(fans[0].pressure), 13.1f * float(p));
        EXPECT_EQ(read(fans[1].pressure), 14.1f * float(p));
        EXPECT_EQ(read(fans[2].rpm), 0.0f);

        const ds_diagnostics& d = store.body.diagnostics;
        for (uint32_t k = 1; k <= 10; ++k) {
            EXPECT_EQ(read(d.shaft[k - 1].period), 22000 * k + 100 * p);
            EXPECT_EQ(read(d.shaft[k - 1].pulse_count), n);
        }
        EXPECT_EQ(read(d.ground_speed.period), 7000 + 100 * p);
        EXPECT_EQ(read(d.ground_speed.pulse_count), n);
        for (uint32_t k = 1; k <= 4; ++k) {
            EXPECT_EQ(read(d.fans[k - 1].shaft.period), 1000 * k + 100 * p);
            EXPECT_EQ(read(d.fans[k - 1].shaft.pulse_count), n);
        }
        EXPECT_EQ(read(d.fans[4].shaft.pulse_count), 0u);

        EXPECT_EQ(read(store.body.vehicle.speed), 15.0f);
        EXPECT_EQ(read(store.body.interface.total_area), 500.0 * n);
        EXPECT_EQ(read(store.body.interface.total_distance), 1.0 * n);
        EXPECT_EQ(read(store.body.interface.total_time), 1000.0 * n);
    }
    EXPECT_EQ(simulator.get_ticks(), 9u);
}

// Only the channel that was on during the tick empties, and a tank that
// falls below zero is full again in that same tick.
TEST_F(Simulator_test, the_channel_on_draws_its_rate_and_is_refilled_when_it_falls_below_zero)
{
    set_up();
    struct Case {
        double remaining;
        double after; // in phase 2 channel 1, on since phase 1, draws 11 + 2
    } cases[] = {
        {100.0, 87.0},
        {13.0, 0.0},
        {12.5, 101.0},
        {-1.0, 101.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.remaining);
        do
            tick();
        while (simulator.get_ticks() % 4 != 1);
        ASSERT_TRUE(read(channel(1).active));
        write(channel(1).remaining_volume, c.remaining);
        write(channel(0).remaining_volume, 5.0);
        tick();
        EXPECT_EQ(read(channel(1).remaining_volume), c.after);
        EXPECT_EQ(read(channel(0).remaining_volume), 5.0); // off during the tick
    }
}

TEST_F(Simulator_test, the_alternative_rate_alarm_of_tank_2_is_on_for_10_s_and_off_for_10_s)
{
    set_up();
    const ds_alarm* alarms = store.body.alarms.tank_alt_rate_in_use;
    for (uint32_t n = 1; n <= 41; ++n) {
        tick();
        EXPECT_EQ(read(alarms[2].triggered), n % 20 < 10) << n;
        EXPECT_FALSE(read(alarms[1].triggered)) << n;
    }
}

TEST_F(Simulator_test, during_a_calibration_the_calibrated_drive_and_the_ground_wheel_turn)
{
    set_up();
    tick();
    EXPECT_EQ(read(store.body.vehicle.ground_speed_sensor.pulse_count), 0u);
    write(store.body.operation.calibration_state, int32_t(1));
    write(store.body.internal.current_tank_cal_index, 2u);
    capture.clear();
    tick();
    tick();
    EXPECT_EQ(read(channel(2).actual_period), 20u);
    EXPECT_EQ(read(store.body.vehicle.ground_speed_sensor.pulse_count), 20u);
    EXPECT_EQ(capture.text(), "pulse_count=10\npulse_count=20\n");
    // A tank the simulator does not run: only the wheel turns.
    write(store.body.internal.current_tank_cal_index, 4u);
    tick();
    EXPECT_EQ(read(channel(4).actual_period), 0u);
    EXPECT_EQ(read(store.body.vehicle.ground_speed_sensor.pulse_count), 30u);
    write(store.body.operation.calibration_state, int32_t(0));
    tick();
    EXPECT_EQ(read(store.body.vehicle.ground_speed_sensor.pulse_count), 30u);
    EXPECT_EQ(read(channel(2).actual_period), 20u);
}

TEST_F(Simulator_test, the_sections_work_as_the_section_state_query_asks)
{
    set_up();
    write(store.body.booms.boom[1].sections[3].setpoint_work_state, 1u);
    write(store.body.booms.boom[5].sections[9].setpoint_work_state, 1u);
    tick();
    for (int b = 0; b < 6; ++b)
        for (int s = 0; s < 10; ++s)
            EXPECT_EQ(read(store.body.booms.boom[b].sections[s].actual_work_state),
                      (b == 1 && s == 3) || (b == 5 && s == 9) ? 1u : 0u)
                << b << "," << s;
    write(store.body.booms.boom[1].sections[3].setpoint_work_state, 0u);
    tick();
    EXPECT_EQ(read(store.body.booms.boom[1].sections[3].actual_work_state), 0u);
}

// A listener hears of a value the simulator changes, never of one it
// writes again unchanged: the speed and the sections' states stay put.
TEST_F(Simulator_test, values_that_stay_put_wake_no_listener)
{
    set_up();
    waiter_descriptor waiter;
    auto listen = [&](const void* item, unsigned size, uint32_t word) {
        store.head.event_register(&waiter, store.head.offset_of(item), size, CDS::reg_change, word, nullptr, nullptr);
    };
    enum : uint32_t { speed, sections, fan_rpm };
    listen(&store.body.vehicle.speed, sizeof(float), speed);
    for (int b = 0; b < 6; ++b)
        for (int s = 0; s < 10; ++s)
            listen(&store.body.booms.boom[b].sections[s].actual_work_state, sizeof(uint32_t), sections);
    listen(&store.body.fans[0].rpm, sizeof(float), fan_rpm);
    auto heard = [&] {
        std::vector<uint32_t> words;
        waiter_event event;
        while (waiter.poll(event))
            words.push_back(event.code);
        return words;
    };

    tick(); // phase 1: the speed comes, the fan turns
    EXPECT_EQ(heard(), (std::vector<uint32_t>{fan_rpm, speed}));
    tick(); // phase 2: the fan speeds up
    EXPECT_EQ(heard(), (std::vector<uint32_t>{fan_rpm}));
    write(store.body.booms.boom[2].sections[4].setpoint_work_state, 1u);
    tick(); // phase 3: one section turns on
    EXPECT_EQ(heard(), (std::vector<uint32_t>{sections, fan_rpm}));
    tick();
    tick(); // phase 1 again: the fan stopped in phase 0 turns again
    EXPECT_EQ(heard(), (std::vector<uint32_t>{fan_rpm, fan_rpm}));
    EXPECT_EQ(read(store.body.booms.boom[2].sections[4].actual_work_state), 1u);
}

}
