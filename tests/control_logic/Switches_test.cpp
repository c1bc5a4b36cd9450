#include "tests/control_logic/Controller_rig.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

namespace {

TEST(Switches, the_master_on_starts_the_switching_countdowns_of_the_active_channels)
{
    Controller_rig rig;
    rig.granular_channel(0);
    rig.granular_channel(3);
    rig.channel(3).assigned_to_boom.set(2);
    rig.controller->refresh_parameters();
    rig.controller->setpoint_changed(0);
    rig.controller->setpoint_changed(3);
    Debug_capture capture;
    rig.master_on();

    EXPECT_EQ(capture.text(), "boom state 1\n");
    EXPECT_EQ(rig.read(rig.store.body.booms.boom[0].boom_state), 1);
    for (int i : {0, 3}) {
        const Seeder_controller::Channel_state& c = rig.controller->channel_state(i);
        EXPECT_EQ(c.tank_switch_countdown, 10u) << i;
        EXPECT_EQ(c.master_change_countdown, 20u) << i;
        EXPECT_EQ(c.restart_countdown, 10u) << i;
        EXPECT_EQ(rig.read(rig.ds(i).controller_section_state), 1u) << i;
    }
    // Inactive channels: the countdown of the change, no section state.
    EXPECT_EQ(rig.controller->channel_state(5).master_change_countdown, 20u);
    EXPECT_EQ(rig.controller->channel_state(5).tank_switch_countdown, 0u);
    EXPECT_EQ(rig.read(rig.ds(5).controller_section_state), 0u);
}

TEST(Switches, the_master_written_again_with_the_same_state_changes_nothing)
{
    // The slave processors' replies write the switch at every poll cycle.
    Controller_rig rig;
    rig.granular_channel(0);
    rig.controller->refresh_parameters();
    rig.controller->setpoint_changed(0);
    rig.master_on();
    rig.controller->tick_500ms();
    const uint32_t counting = rig.controller->channel_state(0).master_change_countdown;
    ASSERT_LT(counting, 20u);

    Debug_capture capture;
    rig.master_on();
    EXPECT_EQ(capture.text(), "") << "no second start";
    EXPECT_EQ(rig.controller->channel_state(0).master_change_countdown, counting);
}

TEST(Switches, the_master_off_ends_preloads_clears_motor_alarms_of_inactive_channels_and_saves_the_totals)
{
    Controller_rig rig;
    rig.granular_channel(0);
    rig.granular_channel(1);
    rig.master_on();
    rig.write(rig.ds(1).active, false);
    rig.controller->start_preload_timer(0, true, true);
    ds_alarms& alarms = rig.store.body.alarms;
    for (int i : {0, 1}) {
        rig.write(rig.ds(i).controller_section_state, 1u);
        rig.write(alarms.tank_motor_jam[i].triggered, true);
        rig.write(alarms.tank_shaft[i].triggered, true);
    }
    rig.write(rig.store.body.history.machine_operating_area, 3.5f);

    Debug_capture capture;
    rig.write(rig.store.body.operation.master_switch_active, false);
    rig.controller->master_switch_changed();
    EXPECT_EQ(capture.text(), "boom state 0\n");
    EXPECT_EQ(rig.read(rig.store.body.booms.boom[0].boom_state), 0);
    EXPECT_FALSE(rig.read(rig.ds(0).remote_preload));
    for (int i : {0, 1})
        EXPECT_EQ(rig.read(rig.ds(i).controller_section_state), 0u) << i;
    EXPECT_TRUE(rig.read(alarms.tank_motor_jam[0].triggered));
    EXPECT_FALSE(rig.read(alarms.tank_motor_jam[1].triggered));
    EXPECT_FALSE(rig.read(alarms.tank_shaft[1].triggered));
    EXPECT_EQ(rig.app().history.machine_operating_area.get(), 3.5f);
}

TEST(Switches, the_non_vt_display_keeps_its_own_boom_and_section_states)
{
    Controller_rig rig;
    rig.granular_channel(0);
    rig.write(rig.store.body.system.non_vtt_connected, true);
    rig.write(rig.store.body.system.tc_alive, true);
    rig.write(rig.store.body.booms.boom[0].boom_state, int32_t(4));
    Debug_capture capture;
    rig.master_on();
    EXPECT_EQ(capture.text(), "");
    EXPECT_EQ(rig.read(rig.store.body.booms.boom[0].boom_state), 4);
    EXPECT_EQ(rig.read(rig.ds(0).controller_section_state), 0u);
}

TEST(Switches, a_tank_switch_with_the_master_on)
{
    Controller_rig rig;
    rig.granular_channel(2);
    rig.granular_channel(4);
    rig.channel(2).assigned_to_boom.set(1);
    rig.channel(4).assigned_to_boom.set(1);
    rig.controller->refresh_parameters();
    rig.master_on();
    bool& ignore = rig.store.body.booms.boom[1].ignore_ASC;

    rig.write(rig.ds(2).active, false);
    rig.controller->channel_switch_changed(2);
    EXPECT_FALSE(rig.read(ignore)); // channel 4 still works the boom
    EXPECT_EQ(rig.controller->channel_state(2).restart_countdown, 0u);
    rig.write(rig.ds(4).active, false);
    rig.controller->channel_switch_changed(4);
    EXPECT_TRUE(rig.read(ignore));

    rig.write(rig.ds(2).active, true);
    rig.controller->setpoint_changed(2);
    rig.controller->channel_switch_changed(2);
    EXPECT_FALSE(rig.read(ignore));
    EXPECT_EQ(rig.controller->channel_state(2).restart_countdown, 10u);
    EXPECT_EQ(rig.controller->channel_state(2).tank_switch_countdown, 10u);
}

TEST(Switches, a_boom_switched_on_restarts_its_channels)
{
    Controller_rig rig;
    rig.granular_channel(6);
    rig.channel(6).assigned_to_boom.set(4);
    rig.controller->refresh_parameters();
    rig.controller->setpoint_changed(6);
    for (int tick = 0; tick < 20; ++tick)
        rig.controller->tick_500ms();
    ASSERT_EQ(rig.controller->channel_state(6).restart_countdown, 0u);

    rig.controller->boom_state_changed(4); // unchanged: nothing but the settle
    EXPECT_EQ(rig.controller->channel_state(6).restart_countdown, 0u);
    rig.write(rig.store.body.booms.boom[4].boom_state, int32_t(2));
    rig.controller->boom_state_changed(4);
    EXPECT_EQ(rig.controller->channel_state(6).restart_countdown, 10u);
    EXPECT_EQ(rig.controller->channel_state(6).master_change_countdown, 20u);
}

}
