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

// The switches' store events through the control task to the controller,
// on the test's thread.
class Switch_events : public ::testing::Test {
protected:
    Switch_events()
    {
        setenv("KX4_ROOT", root.path().c_str(), 1);
        std::filesystem::create_directories(root.path() + "/sys/class/gpio/gpio53");
    }
    ~Switch_events() override
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
    void write(T& item, const T& value)
    {
        store.head.set(item, value);
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
    bool stack_open = stack.open(Bus_select::start("mem,name=control.switches", nullptr), &modules);
    std::unique_ptr<Control_logic> control;
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
