#pragma once
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
#include <memory>
#include <string>

// The control task with the real controller and no slave processors, on the
// test's thread and the manual clock, its stack on an in-process bus of the
// given name.
class Control_task_rig : public ::testing::Test {
protected:
    explicit Control_task_rig(const std::string& bus_name)
        : stack_open(stack.open(Bus_select::start(("mem,name=" + bus_name).c_str(), nullptr), &modules))
    {
        setenv("KX4_ROOT", root.path().c_str(), 1);
        std::filesystem::create_directories(root.path() + "/sys/class/gpio/gpio53");
    }
    ~Control_task_rig() override
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
    // A locked write with its event, handled by the task.
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
    bool stack_open;
    std::unique_ptr<Control_logic> control;
};
