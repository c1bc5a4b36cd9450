#pragma once
// What the upload benchmarks share: stacks on the bus of a spec, and debug
// output kept quiet while a client says how its upload goes.
#include "platform/can/Bus_select.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/rtos/Debug_base.h"

#include <string>

inline bool open_bench_stack(ZEV_smart_stack& stack, const std::string& spec, module_man& modules)
{
    return stack.open(Bus_select::start(spec.c_str(), nullptr), &modules) && stack.start();
}

// The client's progress lines would break up the figures.
struct Quiet_debug {
    Debug_print::Sink old = Debug_print::set_sink([](const char*) {});
    ~Quiet_debug() { Debug_print::set_sink(old); }
};
