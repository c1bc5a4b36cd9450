#include "tests/control_logic/Controller_rig.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Granular channel 0 standing on a 6 m machine, ready for a preload of 2.3 s
// at 100 kg/ha: every condition holds.
struct Preload_rig : Controller_rig {
    Preload_rig()
    {
        granular_channel(0);
        app().speed_source.set(4);
        app().preload_time.set(2.3f);
        controller->refresh_parameters();
        write(store.body.operation.use_manual_speed, false);
        controller->ground_speed_step();
        write(ds(0).product_assigned, true);
        write(ds(0).requested_rate, 100.0);
        master_on();
    }
    void refresh() { controller->refresh_parameters(); }
};

TEST(Preload, each_failing_condition_says_why_and_starts_nothing)
{
    struct Case {
        const char* message; // nullptr: silent
        std::function<void(Preload_rig&)> breaks;
    };
    const Case cases[] = {
        {"Master switch not active",
         [](Preload_rig& r) {
             r.write(r.store.body.operation.master_switch_active, false);
             r.controller->master_switch_changed();
         }},
        {nullptr, [](Preload_rig& r) { r.write(r.ds(0).active, false); }},
        {nullptr,
         [](Preload_rig& r) {
             r.channel(0).mode.set(1);
             r.refresh();
         }},
        {"Actual speed too high",
         [](Preload_rig& r) {
             r.write(r.store.body.vehicle.gps_speed, 0.14f); // 0.504 km/h
             r.controller->ground_speed_step();
         }},
        {"Invalid working width",
         [](Preload_rig& r) {
             r.app().machine_width.set(0.0f);
             r.refresh();
         }},
        // The live parameters count, before the controller's copy follows them.
        {"Channel Disabled", [](Preload_rig& r) { r.channel(0).enabled.set(false); }},
        {"Manual speed not set", [](Preload_rig& r) { r.app().manual_speed.set(0.0f); }},
        {"No product assigned", [](Preload_rig& r) { r.write(r.ds(0).product_assigned, false); }},
        {"No fan speed",
         [](Preload_rig& r) {
             r.app().fans[0]->sense_rpm.set(true);
             r.app().fan_speed_to_start.set(2000);
             r.write(r.store.body.fans[0].rpm, 1999.0f);
             r.refresh();
         }},
        {"Invalid Preload Time",
         [](Preload_rig& r) {
             r.app().preload_time.set(0.0f);
             r.refresh();
         }},
        {"Invalid Set Rate", [](Preload_rig& r) { r.write(r.ds(0).requested_rate, 0.0); }},
        {"Calibraiton is in progress",
         [](Preload_rig& r) { r.write(r.store.body.operation.calibration_state, int32_t(1)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message ? c.message : "silent");
        Preload_rig rig;
        c.breaks(rig);
        Debug_capture capture;
        rig.controller->request_preload(0);
        EXPECT_EQ(capture.text(),
                  c.message ? "Preload not started for tank 0: " + std::string(c.message) + "\n" : std::string());
        EXPECT_FALSE(rig.read(rig.ds(0).remote_preload));
    }
}

TEST(Preload, a_preload_already_running_is_not_started_again)
{
    Preload_rig rig;
    rig.controller->request_preload(0);
    rig.controller->tick_500ms();
    Debug_capture capture;
    rig.controller->request_preload(0);
    EXPECT_EQ(capture.text(), "");
    EXPECT_EQ(rig.controller->channel_state(0).preload_countdown, 4u);
}

TEST(Preload, runs_for_the_preload_time_in_half_seconds)
{
    Preload_rig rig;
    Debug_capture capture;
    rig.controller->request_preload(0);
    EXPECT_EQ(capture.text(), "Tank Index=0: SetPreloadTimer = 5\n"); // ceil(2 x 2.3)
    ds_operation& operation = rig.store.body.operation;
    struct Tick {
        bool preloading;
        int32_t remaining; // never above the 2 whole seconds of the preload time
    };
    const Tick ticks[] = {{true, 2}, {true, 2}, {true, 2}, {true, 1}, {false, 1}, {false, 1}};
    for (const Tick& t : ticks) {
        // The preload drives at the manual speed.
        for (int tick = 0; tick < 5; ++tick) {
            rig.controller->tick_100ms();
            if (rig.read(rig.ds(0).remote_preload)) {
                EXPECT_NE(rig.read(rig.ds(0).set_period), 0u);
            }
        }
        rig.controller->tick_500ms();
        EXPECT_EQ(rig.read(rig.ds(0).remote_preload), t.preloading);
        EXPECT_EQ(rig.read(operation.preload_active), t.preloading);
        EXPECT_EQ(rig.read(operation.preload_time_remaining), t.remaining);
    }
    // Standing again from the speed step after the end.
    rig.controller->tick_100ms();
    EXPECT_EQ(rig.read(rig.ds(0).set_period), 0u);
}

TEST(Preload, only_the_end_of_the_last_preload_takes_the_boom_states_again)
{
    // Boom 3 was switched on without its event: taking its state again
    // starts the switching countdown of channel 5, which works on it.
    Controller_rig rig;
    rig.app().preload_time.set(1.0f);
    for (int i : {0, 1, 5}) {
        rig.granular_channel(i);
        rig.controller->setpoint_changed(i);
    }
    rig.channel(5).assigned_to_boom.set(3);
    rig.controller->refresh_parameters();
    rig.controller->start_preload_timer(0, true, false);
    rig.controller->tick_500ms();
    rig.controller->start_preload_timer(1, true, false);
    rig.write(rig.store.body.booms.boom[3].boom_state, int32_t(1));

    rig.controller->tick_500ms();
    EXPECT_FALSE(rig.read(rig.ds(0).remote_preload));
    EXPECT_TRUE(rig.read(rig.ds(1).remote_preload));
    EXPECT_EQ(rig.controller->channel_state(5).master_change_countdown, 0u);
    rig.controller->tick_500ms();
    EXPECT_FALSE(rig.read(rig.ds(1).remote_preload));
    EXPECT_EQ(rig.controller->channel_state(5).master_change_countdown, 20u);
    EXPECT_EQ(rig.controller->channel_state(5).restart_countdown, 10u);
}

TEST(Preload, prime)
{
    struct Case {
        const char* what;
        uint8_t mode;
        uint8_t speed_source;
        float speed, gps_speed; // m/s
        bool fan;
        bool preloading;
        const char* said;
    };
    const Case cases[] = {
        {"granular, standing", 0, 1, 0.1f, 3.0f, true, true, "Tank Index=0: SetPreloadTimer = 0\n"},
        {"granular, moving", 0, 1, 0.14f, 0.0f, true, false, "Priming inhibited for tank 0: 1 1 1 1 0\n"},
        {"granular, the speed message moving", 0, 4, 0.0f, 0.14f, true, false,
         "Priming inhibited for tank 0: 1 1 1 1 0\n"},
        {"granular, manual speed", 0, 3, 3.0f, 3.0f, true, true, "Tank Index=0: SetPreloadTimer = 0\n"},
        {"no fan", 0, 1, 0.0f, 0.0f, false, false, "Priming inhibited for tank 0: 1 1 1 0 1\n"},
        {"a flow channel never preloads", 1, 1, 3.0f, 3.0f, true, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Controller_rig rig;
        rig.granular_channel(0);
        rig.channel(0).mode.set(c.mode);
        rig.app().speed_source.set(c.speed_source);
        if (!c.fan) {
            rig.app().fans[1]->sense_rpm.set(true);
            rig.app().fan_speed_to_start.set(100);
        }
        rig.controller->refresh_parameters();
        rig.write(rig.ds(0).product_assigned, true);
        rig.write(rig.store.body.vehicle.speed, c.speed);
        rig.write(rig.store.body.vehicle.gps_speed, c.gps_speed);
        Debug_capture capture;
        rig.controller->prime(0);
        EXPECT_EQ(capture.text(), c.said);
        EXPECT_EQ(rig.read(rig.ds(0).remote_preload), c.preloading);
        EXPECT_EQ(rig.read(rig.store.body.operation.priming), c.preloading);
    }
}

TEST(Preload, the_calibration_switch_box_primes_while_its_reset_is_held)
{
    struct Case {
        const char* what;
        uint8_t swbox;
        bool run_stop;
        int tank_switch; // channel whose switch-box tank switch is on, or -1
        std::string said;
        bool primed[3]; // channels 0, 2 and 5
    };
    const Case cases[] = {
        {"type 1: the active channels", 1, false, -1,
         "HandleCalSwboxResetEvent\nTankIndex:0 Active, Starting remote preload\nTank Index=0: SetPreloadTimer = 0\n"
         "TankIndex:5 Active, Starting remote preload\nTank Index=5: SetPreloadTimer = 0\n",
         {true, false, true}},
        {"type 1 stopped", 1, true, -1, "HandleCalSwboxResetEvent\n", {false, false, false}},
        {"no switch box", 0, false, -1, "HandleCalSwboxResetEvent\n", {false, false, false}},
        {"type 2: tank switches switch channels on", 2, false, 2,
         "HandleCalSwboxResetEvent\nTank Index=2: SetPreloadTimer = 0\nActivating TankIndex:2, Starting remote "
         "preload\nTankIndex:5 Active, Starting remote preload\nTank Index=5: SetPreloadTimer = 0\n",
         {false, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Controller_rig rig;
        for (int i : {0, 2, 5})
            rig.granular_channel(i);
        rig.write(rig.ds(0).active, c.swbox != 2);
        rig.write(rig.ds(2).active, false);
        rig.app().swbox_cal_swbox_type.set(c.swbox);
        rig.controller->refresh_parameters();
        for (int i : {0, 2, 5})
            rig.write(rig.ds(i).product_assigned, true);
        if (c.tank_switch >= 0)
            rig.write(rig.ds(c.tank_switch).cal_tank_switch_active, true);
        ds_operation& operation = rig.store.body.operation;
        rig.write(operation.cal_swbox_run_stop_active, c.run_stop);
        rig.write(operation.cal_swbox_reset_active, true);
        Debug_capture capture;
        rig.controller->cal_swbox_reset_changed();
        EXPECT_EQ(capture.text(), c.said);
        const int channels[] = {0, 2, 5};
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(rig.read(rig.ds(channels[k]).remote_preload), c.primed[k]) << channels[k];

        // Held, the priming goes on; released, it ends.
        for (int tick = 0; tick < 4; ++tick)
            rig.controller->tick_500ms();
        EXPECT_EQ(rig.read(rig.ds(5).remote_preload), c.primed[2]);
        rig.write(operation.cal_swbox_reset_active, false);
        rig.controller->cal_swbox_reset_changed();
        for (int i : channels)
            EXPECT_FALSE(rig.read(rig.ds(i).remote_preload)) << i;
        EXPECT_FALSE(rig.read(operation.priming));
    }
}

TEST(Preload, the_reset_during_a_tank_calibration_clears_the_pulse_counts)
{
    Controller_rig rig;
    rig.app().swbox_cal_swbox_type.set(1);
    rig.controller->refresh_parameters();
    rig.write(rig.store.body.operation.calibration_state, int32_t(1));
    rig.write(rig.store.body.diagnostics.shaft[7].pulse_count, 55u);
    rig.write(rig.store.body.operation.cal_swbox_reset_active, true);
    Debug_capture capture;
    rig.controller->cal_swbox_reset_changed();
    EXPECT_NE(capture.text().find("TankIndex 7:Reset pulse count\n"), std::string::npos);
    EXPECT_EQ(rig.read(rig.store.body.diagnostics.shaft[7].pulse_count), 0u);
}

}
