#include "control_logic/Control_logic.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/can/Bus_select.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/rtos/Atime.h"
#include "tests/control_logic/Temp_folder.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

// The control task with the real controller, on the test's thread.
class Control_task_controller : public ::testing::Test {
protected:
    Control_task_controller()
    {
        setenv("KX4_ROOT", root.path().c_str(), 1);
        std::filesystem::create_directories(root.path() + "/sys/class/gpio/gpio53");
    }
    ~Control_task_controller() override
    {
        control.reset();
        unsetenv("KX4_ROOT");
    }

    void start()
    {
        ASSERT_TRUE(stack_open);
        control = std::make_unique<Control_logic>("/nonexistent/kx4-slaves", store, parameters);
        ASSERT_TRUE(control->set_up(&modules, &stack));
        control->run_pending();
    }

    template <class T>
    T read(const T& item)
    {
        return store.head.get(item);
    }

    Temp_folder root;
    Manual_clock clock;
    Debug_capture capture;
    module_man modules;
    Data_store store{nullptr, "0.1.0"};
    NV_quvel::parameters_t parameters;
    ZEV_smart_stack stack;
    bool stack_open = stack.open(Bus_select::start("mem,name=control.controller", nullptr), &modules);
    std::unique_ptr<Control_logic> control;
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
