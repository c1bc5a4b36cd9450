#pragma once
// What the programs of the fake peers share: a stop by SIGINT or SIGTERM
// taken by sigwait, and joining a CAN bus with a network stack.
#include "platform/can/Bus_select.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/rtos/module_man.h"

#include <csignal>
#include <cstdio>
#include <mutex>
#include <string>

// Blocks SIGINT and SIGTERM in this thread and in the threads it starts from
// now on, so that the program takes them by sigwait on the set returned.
inline sigset_t block_stop_signals()
{
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);
    return stop_signals;
}

// Prints one line of a fake's log on standard output at once, so that a
// reader on a pipe sees it as it happens; lines from several threads stay whole.
inline void print_line(const std::string& line)
{
    static std::mutex output_mutex;
    std::lock_guard<std::mutex> guard(output_mutex);
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

// Opens the bus of the spec under the stack and starts the stack's task;
// false, said on standard error in the program's name, when it cannot.
inline bool join_bus(const char* program, const std::string& spec, module_man& manager, ZEV_smart_stack& stack)
{
    Can_bus* bus = Bus_select::start(spec.c_str(), &manager);
    if (!bus || !stack.open(bus, &manager) || !stack.start()) {
        std::fprintf(stderr, "%s: cannot join the bus \"%s\"\n", program, spec.c_str());
        return false;
    }
    return true;
}
