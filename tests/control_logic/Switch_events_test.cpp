#include "tests/control_logic/Control_task_rig.h"

#include <gtest/gtest.h>

namespace {

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

}
