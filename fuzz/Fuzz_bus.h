#pragma once
// What the fuzz targets on an in-process bus share: one manual clock for the
// whole run, a node that claims a NAME, and the loops that run the tasks.
#include "fuzz/Fuzz_check.h"
#include "platform/can/Bus_select.h"
#include "platform/can/Mem_bus_hub.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/rtos/Atime.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"

#include <string>
#include <vector>

// The clock of the run: the tasks of every input run on it.
inline Manual_clock& fuzz_clock()
{
    static Manual_clock manual;
    return manual;
}

// A stack on the in-process bus of that name, claiming the NAME.
struct Fuzz_node {
    waiter_descriptor waiter; // outlives the stack's events
    ZEV_smart_stack stack;

    void open(module_man& modules, const char* bus, const ZEV_name::NAME& name, uint8_t preferred)
    {
        fuzz_check(stack.open(Bus_select::start((std::string("mem,name=") + bus).c_str(), nullptr), &modules),
                   "a stack opens");
        fuzz_check(stack.get_name_manager().add_local_name(name, preferred, &waiter), "a stack claims");
    }
    // Drops the node's events and hands each message of the PGN it holds to
    // take(header, bytes, length).
    template <class Take>
    void take_all(uint32_t pgn, Take take)
    {
        waiter_event event;
        while (waiter.poll(event)) {
        }
        static std::vector<uint8_t> buffer(1 << 16);
        ZEV_header header;
        for (int n; (n = stack.read(pgn, header, buffer.data(), int(buffer.size()), &waiter, ZEV_stack::PGN_DATA)) >= 0;)
            take(header, buffer.data(), n);
    }
};

// Delivers the hub's due frames and runs the tasks (run_tasks: how many
// ran) until nothing is left, without moving the clock.
template <class Run_tasks>
void settle_bus(Mem_bus_hub& hub, Run_tasks run_tasks)
{
    for (int rounds = 0;; ++rounds) {
        fuzz_check(rounds < 100000, "the tasks settle without the clock moving");
        hub.deliver_due();
        if (run_tasks() == 0)
            return;
    }
}

// Moves the clock on in 5 ms steps, settling after each.
template <class Settle>
void run_clock(int ms, Settle settle)
{
    for (int t = 0; t < ms; t += 5) {
        fuzz_clock().advance(5);
        settle();
    }
}
