#pragma once
#include <atomic>

class Data_store;
class Parameter_file;
class waiter_descriptor;
namespace NV_quvel {
class parameters_t;
}

// What the start-up and the main loop work on: the process's own objects in
// the program, a test's own in tests.
struct App_objects {
    Data_store& store;
    NV_quvel::parameters_t& parameters;
    Parameter_file& parameter_file;
    waiter_descriptor& main_waiter;
    const std::atomic<bool>& stop_requested;
};
