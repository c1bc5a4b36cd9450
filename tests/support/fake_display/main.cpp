// fake_display: a second display on the ISOBUS that mirrors kx4's data
// store and parameters over the remote data store, for the demonstration
// and for tests that run kx4 with --bus.
#include "tests/support/Fake_program.h"
#include "platform/rtos/waiter_descriptor.h"
#include "tests/support/Fake_display.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>

namespace {

void usage(FILE* out)
{
    std::fprintf(out, "usage: fake_display BUS_SPEC [--address ADDRESS] [--identity NUMBER]\n"
                      "Joins the bus (\"tcp,addr=127.0.0.1,port=1500\" or \"mem,name=X\"), finds kx4 and\n"
                      "fetches its tree (from the cache under KX4_ROOT when it has it), then reads\n"
                      "commands on standard input, one line per value and event on standard output:\n"
                      "  get NAME           the item's value, once\n"
                      "  set NAME=VALUE     writes the item (VALUE with \",\" is a list)\n"
                      "  watch NAME         the value now and at every change\n"
                      "  unwatch NAME       no more changes\n"
                      "  quit\n"
                      "NAME is dotted from the top: cds.data_store.operation.master_switch_active,\n"
                      "nv.PS.app.machine_width. Ends on quit, SIGINT or SIGTERM.\n");
}

bool parse_number(const char* text, int low, int high, int& value)
{
    char* end = nullptr;
    const long n = std::strtol(text, &end, 0);
    if (!*text || *end || n < low || n > high)
        return false;
    value = int(n);
    return true;
}

}

int main(int argc, char** argv)
{
    std::string spec;
    Fake_display::Settings settings;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        int n;
        if (arg == "-h" || arg == "--help") {
            usage(stdout);
            return 0;
        }
        if (arg == "--address" && i + 1 < argc && parse_number(argv[i + 1], 0, 253, n)) {
            settings.address = uint8_t(n);
            ++i;
        } else if (arg == "--identity" && i + 1 < argc && parse_number(argv[i + 1], 0, 0x1FFFFF, n)) {
            settings.identity = n;
            ++i;
        } else if (spec.empty() && arg[0] != '-') {
            spec = arg;
        } else {
            std::fprintf(stderr, "fake_display: unknown or incomplete argument \"%s\"\n", arg.c_str());
            usage(stderr);
            return 2;
        }
    }
    if (spec.empty()) {
        usage(stderr);
        return 2;
    }

    // The signals are taken by sigwait below; the threads inherit the mask.
    const sigset_t stop_signals = block_stop_signals();

    module_man manager;
    waiter_descriptor waiter;
    ZEV_smart_stack stack;
    if (!join_bus("fake_display", spec, manager, stack))
        return 1;
    Fake_display display(stack, waiter, print_line, settings);
    if (!display.start()) {
        std::fprintf(stderr, "fake_display: cannot claim an address\n");
        return 1;
    }
    print_line("fake_display: on " + spec);

    std::atomic<bool> stopping{false};
    std::thread events([&] {
        waiter_event event;
        while (!stopping) {
            waiter.wait(event);
            if (!stopping)
                display.handle_event(event);
        }
    });
    // The input may never end: the thread is left to the end of the process.
    std::thread([&display] {
        std::string line;
        while (std::getline(std::cin, line) && line != "quit")
            display.command(line);
        if (line == "quit")
            kill(getpid(), SIGTERM);
    }).detach();

    int signal = 0;
    sigwait(&stop_signals, &signal);
    stopping = true;
    waiter.post(waiter_event{});
    events.join();
    print_line("fake_display: stopped");
    // The input thread may still be reading: leave without unwinding under it.
    std::_Exit(0);
}
