#include "tests/control_logic/Control_task_rig.h"

#include <gtest/gtest.h>

namespace {

// The control task with the real controller, on the test's thread.
class Control_task_controller : public Control_task_rig {
protected:
    Control_task_controller() : Control_task_rig("control.controller") {}
};

TEST_F(Control_task_controller, a_new_requested_rate_reaches_the_controller)
{
    parameters.app.channels[3]->preset_rate_1.set(80.0f);
    start();
    store.head.set(store.body.channels.channels[3].requested_rate, 95.0);
    control->run_pending();
    EXPECT_NE(capture.text().find("Setpoint on chan 3 changed\n"), std::string::npos);
    EXPECT_TRUE(read(store.body.channels.channels[3].rate_change_active));
    EXPECT_TRUE(read(store.body.channels.channels[3].rate_variation));
    EXPECT_FLOAT_EQ(parameters.app.channels[3]->current_rate.get(), 95.0f);
}

TEST_F(Control_task_controller, a_new_speed_source_reaches_the_controller_through_the_parameter_event)
{
    parameters.app.manual_speed.set(7.2f);
    start();
    parameters.app.speed_source.set(3);
    control->run_pending();
    EXPECT_TRUE(read(store.body.operation.use_manual_speed));
    EXPECT_NEAR(read(store.body.vehicle.speed), 2.0f, 1e-5);
}

}
