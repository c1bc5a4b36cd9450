#include "control_logic/On_off_delay.h"
#include "control_logic/Rate_delay.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Pushes the value once per 100 ms tick until the output shows it; the
// number of ticks it lagged behind the input (-1 when it never came).
int lag(On_off_delay& line, bool value)
{
    for (int tick = 0; tick < 1000; ++tick) {
        line.push(value, 0.1);
        if (line.output() == value)
            return tick;
    }
    return -1;
}

TEST(On_off_delay, step_responses)
{
    struct Case {
        double on, off;
        int rise, fall;
        bool and_mode;
    };
    const Case cases[] = {
        {0.5, 0.2, 5, 2, true},  // two stages: AND of the input stage, then the shorter delay
        {0.2, 0.5, 2, 5, false}, // two stages: OR of the input stage
        {0.3, 0.3, 3, 3, false}, // one stage
        {0.1, 0.1, 1, 1, false},
        {0.0, 0.0, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.on << " s on, " << c.off << " s off");
        On_off_delay line;
        line.set_times(c.on, c.off);
        EXPECT_EQ(line.and_mode(), c.and_mode);
        EXPECT_EQ(lag(line, false), 0);
        EXPECT_EQ(lag(line, true), c.rise);
        for (int tick = 0; tick < 20; ++tick)
            line.push(true, 0.1);
        EXPECT_EQ(lag(line, false), c.fall);
    }
}

TEST(On_off_delay, without_times_the_output_follows_the_input)
{
    On_off_delay line;
    EXPECT_EQ(line.output(), 0);
    line.push(true, 0.1);
    EXPECT_EQ(line.output(), 1);
    line.push(false, 0.1);
    EXPECT_EQ(line.output(), 0);
}

TEST(On_off_delay, a_pulse_shorter_than_the_input_stage_never_reaches_the_output_in_and_mode)
{
    On_off_delay line;
    line.set_times(0.5, 0.2);
    for (int tick = 0; tick < 2; ++tick)
        line.push(true, 0.1);
    for (int tick = 0; tick < 20; ++tick) {
        line.push(false, 0.1);
        EXPECT_EQ(line.output(), 0) << tick;
    }
}

TEST(On_off_delay, unchanged_windows_keep_their_samples)
{
    On_off_delay line;
    line.set_times(0.5, 0.2);
    for (int tick = 0; tick < 3; ++tick)
        line.push(true, 0.1);
    line.set_times(0.5, 0.2);
    EXPECT_EQ(lag(line, true), 2); // five ticks after the rise, as without the second call

    // A changed output window restarts that stage with one off sample.
    line.set_times(0.5, 0.3);
    EXPECT_EQ(line.output(), 0);
    EXPECT_EQ(line.output_window(), 300);
    EXPECT_EQ(line.input_window(), 200);
}

TEST(On_off_delay, a_sample_run_down_to_zero_is_still_seen)
{
    On_off_delay line;
    line.set_times(0.1, 0.1);
    line.push(true, 0.1);
    // The off sample of the window has 0 ms left but is still the oldest.
    EXPECT_EQ(line.output(), 0);
    EXPECT_EQ(line.first_other(1), 0);
    line.push(true, 0.1);
    EXPECT_EQ(line.output(), 1);
    EXPECT_EQ(line.first_other(1), 1);
}

TEST(On_off_delay, first_other_scans_from_the_oldest_sample)
{
    On_off_delay line;
    line.set_times(1.0, 1.0);
    EXPECT_EQ(line.first_other(1), 0);
    EXPECT_EQ(line.first_other(0), 0); // all equal: the value asked for
    line.push(true, 0.1);
    EXPECT_EQ(line.first_other(0), 1);
}

TEST(On_off_delay, equal_samples_extend_one_entry)
{
    On_off_delay line;
    line.set_times(0.5, 0.2);
    for (int tick = 0; tick < 1000; ++tick) {
        line.push(true, 0.1);
        EXPECT_LE(line.output_samples(), 2u) << tick;
    }
}

TEST(On_off_delay, a_long_window_of_changing_samples_delays_every_one)
{
    // 100 ticks of a pattern with no two equal neighbours in a row of three:
    // well over one block of queue entries, wrapping around the ring.
    On_off_delay line;
    line.set_times(10.0, 10.0);
    std::vector<bool> pushed;
    for (int tick = 0; tick < 400; ++tick) {
        const bool v = (tick * 7 / 3) % 2 != 0;
        line.push(v, 0.1);
        pushed.push_back(v);
        const bool expected = tick >= 100 && pushed[size_t(tick - 100)];
        ASSERT_EQ(line.output(), expected) << tick;
    }
}

TEST(Rate_delay, rates_reach_the_output_after_the_window)
{
    Rate_delay delay;
    delay.set_window(300);
    const float in[] = {5.0f, 6.0f, 6.0f, 0.0f, 7.0f, 7.0f, 7.0f, 7.0f};
    const float delayed[] = {0.0f, 0.0f, 0.0f, 5.0f, 6.0f, 6.0f, 0.0f, 7.0f};
    const float first[] = {5.0f, 5.0f, 5.0f, 5.0f, 6.0f, 6.0f, 7.0f, 7.0f};
    for (size_t tick = 0; tick < sizeof in / sizeof in[0]; ++tick) {
        SCOPED_TRACE(tick);
        delay.add(in[tick], 100);
        EXPECT_EQ(delay.delayed(), delayed[tick]);
        EXPECT_EQ(delay.first_non_zero(), first[tick]);
    }
}

TEST(Rate_delay, only_a_changed_window_restarts_the_queue)
{
    Rate_delay delay;
    EXPECT_EQ(delay.delayed(), 0.0f);
    delay.set_window(200);
    delay.add(4.0f, 100);
    delay.add(4.0f, 100);
    delay.set_window(200);
    delay.add(4.0f, 100);
    EXPECT_EQ(delay.delayed(), 4.0f);
    delay.set_window(300);
    EXPECT_EQ(delay.window(), 300);
    EXPECT_EQ(delay.delayed(), 0.0f);
    EXPECT_EQ(delay.first_non_zero(), 0.0f);
}

}
