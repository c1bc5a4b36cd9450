// fake_vt_server: a Virtual Terminal on a CAN bus, for the demonstration and
// for tests that run kx4 against one.
#include "tests/support/Fake_program.h"
#include "tests/support/Fake_vt_server.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

namespace {
void usage(FILE* out)
{
    std::fprintf(out, "usage: fake_vt_server BUS_SPEC [--address A] [--identity N] [--memory-short]\n"
                      "                      [--refuse-pool] [--dump FILE]\n"
                      "A Virtual Terminal on the bus (for example mem,name=X or tcp,addr=127.0.0.1,port=1500):\n"
                      "claims an address with function 29, sends its status every second, answers the working\n"
                      "set's queries, receives and checks its object pool, shows it and keeps its objects' state,\n"
                      "one line per message on standard output.\n"
                      "  --address A      the address it claims (default 38)\n"
                      "  --identity N     the identity number of its NAME (default 1)\n"
                      "  --memory-short   says it has not enough memory for any pool\n"
                      "  --refuse-pool    answers every End of Object Pool with an error\n"
                      "  --dump FILE      writes each pool received to FILE\n"
                      "Standard input takes a script, one line each: \"press ID\", \"release ID\", \"hold ID\",\n"
                      "\"abort ID\", \"number ID V\" (refused outside the field's range), \"string ID TEXT\",\n"
                      "\"shown ID\" (the text a number shows), \"silent\", \"refuse-pool\",\n"
                      "\"units metric\", \"units imperial\", \"units us\".\n"
                      "Ends on SIGINT or SIGTERM.\n");
}

bool parse_number(const std::string& text, long low, long high, long& out)
{
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 0);
    return !text.empty() && *end == '\0' && out >= low && out <= high;
}
}

int main(int argc, char** argv)
{
    Fake_vt_server::Settings settings;
    std::string spec;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        long n;
        if (arg == "-h" || arg == "--help") {
            usage(stdout);
            return 0;
        } else if (arg == "--memory-short") {
            settings.memory_short = true;
        } else if (arg == "--refuse-pool") {
            settings.refuse_pool = true;
        } else if (arg == "--dump" && i + 1 < argc) {
            settings.dump_file = argv[++i];
        } else if (arg == "--address" && i + 1 < argc && parse_number(argv[i + 1], 0, 253, n)) {
            settings.address = uint8_t(n);
            ++i;
        } else if (arg == "--identity" && i + 1 < argc && parse_number(argv[i + 1], 0, 0x1FFFFF, n)) {
            settings.identity = int(n);
            ++i;
        } else if (spec.empty() && arg[0] != '-') {
            spec = arg;
        } else {
            std::fprintf(stderr, "fake_vt_server: unknown or incomplete argument \"%s\"\n", arg.c_str());
            usage(stderr);
            return 2;
        }
    }
    if (spec.empty()) {
        std::fprintf(stderr, "fake_vt_server: a bus spec is needed\n");
        usage(stderr);
        return 2;
    }

    // The signals are taken by sigwait below; the tasks' threads inherit the mask.
    const sigset_t stop_signals = block_stop_signals();

    module_man modules;
    ZEV_smart_stack stack;
    if (!join_bus("fake_vt_server", spec, modules, stack))
        return 1;
    Fake_vt_server server(&modules, stack, settings);
    server.set_printer(print_line);
    if (!server.start_serving() || !server.start()) {
        std::fprintf(stderr, "fake_vt_server: cannot claim address %u\n", settings.address);
        return 1;
    }
    std::printf("fake_vt_server: Virtual Terminal at %u on %s\n", settings.address, spec.c_str());
    std::fflush(stdout);
    // The script, until standard input ends; the reader is left behind at the stop.
    std::thread([&server] {
        std::string line;
        while (std::getline(std::cin, line))
            if (!line.empty())
                server.run_script_line(line);
    }).detach();
    int signal = 0;
    sigwait(&stop_signals, &signal);
    server.terminate(1, 1000);
    stack.close();
    std::printf("fake_vt_server: stopped\n");
    std::fflush(stdout);
    std::_Exit(0); // the script reader may still wait on standard input
}
