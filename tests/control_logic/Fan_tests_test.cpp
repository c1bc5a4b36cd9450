#include "control_logic/Fan_tests.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"

#include <gtest/gtest.h>

namespace {

struct Fans : ::testing::Test {
    Data_store store{nullptr, "0.1.0"};
    NV_quvel::parameters_t parameters;
    NV_quvel::application_t& app = parameters.app;

    void SetUp() override
    {
        app.fan_speed_to_start.set(2500);
        for (int k = 0; k < 2; ++k) {
            app.alarms.fan_speed_low[k]->threshold.set(k == 0 ? 3000.0f : 2000.0f);
            app.alarms.fan_speed_high[k]->threshold.set(5000.0f);
            app.alarms.fan_pressure_low[k]->threshold.set(k == 0 ? 20.0f : 10.0f);
            app.alarms.fan_pressure_high[k]->threshold.set(60.0f);
        }
    }
    void fan(int k, bool sense_rpm, float rpm, bool sense_pressure = false, float pressure = 0.0f)
    {
        app.fans[k]->sense_rpm.set(sense_rpm);
        app.fans[k]->sense_pressure.set(sense_pressure);
        store.head.set(store.body.fans[k].rpm, rpm);
        store.head.set(store.body.fans[k].pressure, pressure);
    }
};

// Fan 0 is held against 3000 rpm, fan 1 against 2000 (their own low
// thresholds); 2500 rpm starts both.
TEST_F(Fans, speed_matrix)
{
    struct Case {
        const char* name;
        bool sense0;
        float rpm0;
        bool sense1;
        float rpm1;
        bool pump1;
        bool running, starting, stopped, low, high;
    };
    const Case cases[] = {
        {"neither sensed", false, 0, false, 0, false, true, true, false, false, false},
        {"fan 0 alone, fast", true, 3100, false, 0, false, true, true, false, false, false},
        {"fan 0 alone, between start and low", true, 2800, false, 0, false, false, true, false, true, false},
        {"fan 1 alone on its own threshold", false, 0, true, 2100, false, true, false, false, false, false},
        {"both: one slow fails running", true, 3100, true, 1900, false, false, false, false, true, false},
        {"both: one below 1000 is stopped", true, 3100, true, 900, false, false, false, true, true, false},
        {"fan 1 as a pump passes", true, 3100, true, 0, true, true, true, false, false, false},
        {"over speed", true, 5100, false, 0, false, true, true, false, false, true},
        {"rpm 0", true, 0, false, 0, false, false, false, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fan(0, c.sense0, c.rpm0);
        fan(1, c.sense1, c.rpm1);
        app.fans[1]->use_fan_as_pump.set(c.pump1);
        store.head.set(store.body.system.non_vtt_connected, c.pump1);
        const Fan_tests t(store, app);
        EXPECT_EQ(t.running(false), c.running);
        EXPECT_EQ(t.running(true), c.starting);
        EXPECT_EQ(t.stopped(), c.stopped);
        EXPECT_EQ(t.speed_low(), c.low);
        EXPECT_EQ(t.speed_high(), c.high);
    }
}

TEST_F(Fans, a_stopped_fan_is_low_even_under_a_zero_threshold)
{
    app.alarms.fan_speed_low[0]->threshold.set(0.0f);
    fan(0, true, 0);
    EXPECT_TRUE(Fan_tests(store, app).speed_low());
    fan(0, true, 1);
    EXPECT_FALSE(Fan_tests(store, app).speed_low());
}

TEST_F(Fans, a_pump_needs_the_non_vt_display)
{
    fan(0, false, 0);
    fan(1, true, 0);
    app.fans[1]->use_fan_as_pump.set(true);
    EXPECT_FALSE(Fan_tests(store, app).running(false));
    store.head.set(store.body.system.non_vtt_connected, true);
    EXPECT_TRUE(Fan_tests(store, app).running(false));
}

// Fan 0's low-pressure threshold is 20, fan 1's 10.
TEST_F(Fans, pressure_matrix)
{
    struct Case {
        const char* name;
        bool sense0;
        float p0;
        bool sense1;
        float p1;
        bool low, high, present, lost;
    };
    const Case cases[] = {
        {"neither sensed", false, 0, false, 0, false, false, false, false},
        {"fan 0 good", true, 30, false, 0, false, false, true, false},
        {"fan 0 at its threshold is low", true, 20, false, 0, true, false, false, false},
        {"fan 0 under half is lost", true, 9, false, 0, true, false, false, true},
        {"fan 1 good on its own threshold", true, 30, true, 12, false, false, true, false},
        {"fan 1 under its half is lost", true, 30, true, 4, true, false, false, true},
        {"only fan 1 sensed: never lost", false, 0, true, 1, true, false, false, false},
        {"over pressure", true, 61, false, 0, false, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fan(0, false, 0, c.sense0, c.p0);
        fan(1, false, 0, c.sense1, c.p1);
        const Fan_tests t(store, app);
        EXPECT_EQ(t.pressure_low(), c.low);
        EXPECT_EQ(t.pressure_high(), c.high);
        EXPECT_EQ(t.pressure_present(), c.present);
        EXPECT_EQ(t.pressure_lost(), c.lost);
    }
}

}
