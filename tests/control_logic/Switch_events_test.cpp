#include "tests/control_logic/Control_task_rig.h"

#include <gtest/gtest.h>

#include <string>

namespace {

size_t count_of(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// The switches' store events through the control task to the controller,
// on the test's thread.
class Switch_events : public Control_task_rig {
protected:
    Switch_events() : Control_task_rig("control.switches") {}
};

TEST_F(Switch_events, master_tillage_tank_boom_and_reset_switches_reach_the_controller)
{
    parameters.app.using_tillage_master_switch.set(true);
    parameters.app.channels[2]->enabled.set(true);
    parameters.app.channels[2]->assigned_to_boom.set(3);
    start();
    write(store.body.system.vt_alive, true);
    write(store.body.system.vt_uploaded, true);
    write(store.body.operation.master_switch_active, true);
    EXPECT_EQ(read(store.body.booms.boom[0].boom_state), 0); // the tillage switch is off

    write(store.body.operation.tillage_switch_active, true);
    EXPECT_NE(capture.text().find("boom state 1\n"), std::string::npos) << capture.text();
    EXPECT_EQ(read(store.body.booms.boom[0].boom_state), 1);
    EXPECT_NE(capture.text().find("Boomstate on boom 0 changed\n"), std::string::npos) << capture.text();

    write(store.body.booms.boom[3].ignore_ASC, true);
    write(store.body.channels.channels[2].active, true);
    EXPECT_FALSE(read(store.body.booms.boom[3].ignore_ASC));

    capture.clear();
    write(store.body.operation.cal_swbox_reset_active, true);
    EXPECT_NE(capture.text().find("HandleCalSwboxResetEvent\n"), std::string::npos) << capture.text();

    parameters.app.history.machine_operating_area.set(0.0f);
    write(store.body.history.machine_operating_area, 2.5f);
    write(store.body.operation.master_switch_active, false);
    EXPECT_EQ(read(store.body.booms.boom[0].boom_state), 0);
    EXPECT_EQ(parameters.app.history.machine_operating_area.get(), 2.5f);
}

// The slaves' replies write the switches again at every poll cycle: the
// same value written every 600 ms restarts nothing, a change does.
class Repeated_switches : public Control_task_rig {
protected:
    Repeated_switches() : Control_task_rig("control.repeated") {}

    // Runs the task's timers for ms, writing the item := value every 600 ms.
    template <class T>
    void hold(T& item, const T& value, int ms)
    {
        for (int t = 0; t < ms; t += 100) {
            if (t % 600 == 0)
                store.head.set(item, value);
            clock.advance(100);
            control->run_pending();
        }
    }

    // Channel 0: an electric motor of 20 pulses a shaft turn, 0.5 kg a turn,
    // 100 kg/ha on a 6 m machine at a manual 10 km/h, its stuck-motor alarm
    // raised after 2 s; the master on.
    void working_channel()
    {
        NV_quvel::channel_t& c = *parameters.app.channels[0];
        c.enabled.set(true);
        c.mode.set(0);
        c.granular_controller_type.set(0);
        c.motor_pulse_encoder.set(0);
        c.motor_gear_ratio.set(10.0f);
        c.cal_setting.set(0.5f);
        parameters.app.machine_width.set(6.0f);
        parameters.app.speed_source.set(3);
        parameters.app.manual_speed.set(10.0f);
        parameters.app.alarms.tank_motor_sensor[0]->enabled.set(true);
        parameters.app.alarms.tank_motor_sensor[0]->delay_count.set(2);
        start();
        write(store.body.system.alive, true);
        write(store.body.system.vt_alive, true);
        write(store.body.system.vt_uploaded, true);
        write(store.body.operation.master_switch_active, true);
        write(store.body.channels.channels[0].requested_rate, 100.0);
        // The drive turns the shaft at 30 rpm; its motor's pulse count moves
        // once, then stands still.
        write(store.body.channels.channels[0].actual_period, 100000u);
        write(store.body.channels.channels[0].motor_pulse_count, 1u);
    }
};

TEST_F(Repeated_switches, a_tank_switch_written_again_and_again_lets_the_alarms_and_the_rate_filter_run)
{
    working_channel();
    ds_channel& record = store.body.channels.channels[0];
    capture.clear();
    hold(record.active, true, 12000);

    EXPECT_EQ(count_of(capture.text(), "Tank switch state on chan 0 changed\n"), 1u) << capture.text();
    EXPECT_FALSE(read(record.rate_change_active));
    // Five seconds for the tank switch, then two for the alarm's delay.
    EXPECT_TRUE(read(store.body.alarms.tank_motor_sensor[0].active));
    // The shaft speed is filtered: a new period reaches it in part.
    const double before = read(record.shaft_rpm);
    hold(record.active, true, 100);
    store.head.set(record.actual_period, 50000u);
    hold(record.active, true, 500);
    EXPECT_DOUBLE_EQ(read(record.raw_shaft_rpm), 60.0);
    EXPECT_GT(read(record.shaft_rpm), before);
    EXPECT_LT(read(record.shaft_rpm), 60.0);

    // A real change still restarts the channel.
    hold(record.active, false, 600);
    hold(record.active, true, 600);
    EXPECT_EQ(count_of(capture.text(), "Tank switch state on chan 0 changed\n"), 3u) << capture.text();
    EXPECT_TRUE(read(record.rate_change_active));
    EXPECT_DOUBLE_EQ(read(record.shaft_rpm), 60.0) << "the filter restarted";
}

TEST_F(Repeated_switches, a_held_calibration_reset_resets_the_pulse_counts_once)
{
    parameters.app.swbox_cal_swbox_type.set(1);
    start();
    write(store.body.operation.calibration_state, int32_t(1));
    uint32_t& pulses = store.body.diagnostics.shaft[3].pulse_count;
    write(pulses, 40u);
    capture.clear();

    hold(store.body.operation.cal_swbox_reset_active, true, 100);
    EXPECT_EQ(read(pulses), 0u);
    write(pulses, 7u); // the shaft turns on
    hold(store.body.operation.cal_swbox_reset_active, true, 5000);
    EXPECT_EQ(read(pulses), 7u);
    EXPECT_EQ(count_of(capture.text(), "HandleCalSwboxResetEvent\n"), 1u) << capture.text();
    EXPECT_EQ(count_of(capture.text(), "TankIndex 3:Reset pulse count\n"), 1u) << capture.text();

    // Released and pressed again: a second reset.
    hold(store.body.operation.cal_swbox_reset_active, false, 600);
    hold(store.body.operation.cal_swbox_reset_active, true, 600);
    EXPECT_EQ(read(pulses), 0u);
    EXPECT_EQ(count_of(capture.text(), "HandleCalSwboxResetEvent\n"), 3u) << capture.text();
}

}
