// fake_tc_server: a Task Controller on a CAN bus, for the demonstration and
// for tests that run kx4 against one.
#include "tests/support/Fake_program.h"
#include "tests/support/Fake_tc_server.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
void usage(FILE* out)
{
    std::fprintf(out, "usage: fake_tc_server BUS_SPEC [--version N] [--address A] [--refuse-pool]\n"
                      "                      [--refuse-activation] [--silent-after S]\n"
                      "                      [--command ELEMENT,DDI,COMMAND,VALUE]...\n"
                      "A Task Controller on the bus (for example mem,name=X or tcp,addr=127.0.0.1,port=1500):\n"
                      "claims an address with function 130, sends its status, asks each working set for its\n"
                      "version, receives, checks and activates its pool, one line per message on standard output.\n"
                      "It keeps one pool per working set, object by object: a transfer is laid over the pool it\n"
                      "holds (each object replaces the one of its id) unless the client deleted that pool first.\n"
                      "  --version N          the version it states, 2, 3 or 4 (default 4)\n"
                      "  --address A          the address it claims (default 247)\n"
                      "  --refuse-pool        answers every pool transfer with an error\n"
                      "  --refuse-activation  answers every activation with an error\n"
                      "  --silent-after S     falls silent S seconds after it starts\n"
                      "  --command E,D,C,V    a process-data command sent once a pool is active; E is the\n"
                      "                       element's designator (\"Bin 1\") or its number\n"
                      "Ends on SIGINT or SIGTERM.\n");
}

bool parse_number(const std::string& text, long low, long high, long& out)
{
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 0);
    return !text.empty() && *end == '\0' && out >= low && out <= high;
}

bool parse_command(const std::string& text, Fake_tc_server::Settings::Command& command)
{
    // ELEMENT,DDI,COMMAND,VALUE; the element, a designator, may hold commas itself.
    size_t cuts[3];
    size_t end = text.size();
    for (int i = 2; i >= 0; --i) {
        cuts[i] = end == 0 ? std::string::npos : text.rfind(',', end - 1);
        if (cuts[i] == std::string::npos || cuts[i] == 0)
            return false;
        end = cuts[i];
    }
    long ddi, code, value;
    if (!parse_number(text.substr(cuts[0] + 1, cuts[1] - cuts[0] - 1), 0, 65535, ddi) ||
        !parse_number(text.substr(cuts[1] + 1, cuts[2] - cuts[1] - 1), 0, 15, code) ||
        !parse_number(text.substr(cuts[2] + 1), -2147483648L, 2147483647L, value))
        return false;
    command = {text.substr(0, cuts[0]), uint16_t(ddi), uint8_t(code), int32_t(value)};
    return true;
}
}

int main(int argc, char** argv)
{
    Fake_tc_server::Settings settings;
    std::string spec;
    long silent_after_s = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        long n;
        if (arg == "-h" || arg == "--help") {
            usage(stdout);
            return 0;
        } else if (arg == "--refuse-pool") {
            settings.refuse_pool = true;
        } else if (arg == "--refuse-activation") {
            settings.refuse_activation = true;
        } else if (arg == "--version" && i + 1 < argc && parse_number(argv[i + 1], 2, 4, n)) {
            settings.version = int(n);
            ++i;
        } else if (arg == "--silent-after" && i + 1 < argc && parse_number(argv[i + 1], 0, 86400, n)) {
            silent_after_s = n;
            ++i;
        } else if (arg == "--address" && i + 1 < argc && parse_number(argv[i + 1], 0, 253, n)) {
            settings.address = uint8_t(n);
            ++i;
        } else if (arg == "--command" && i + 1 < argc) {
            Fake_tc_server::Settings::Command command;
            if (!parse_command(argv[++i], command)) {
                std::fprintf(stderr, "fake_tc_server: \"%s\" is not ELEMENT,DDI,COMMAND,VALUE\n", argv[i]);
                return 2;
            }
            settings.script.push_back(command);
        } else if (spec.empty() && arg[0] != '-') {
            spec = arg;
        } else {
            std::fprintf(stderr, "fake_tc_server: unknown or incomplete argument \"%s\"\n", arg.c_str());
            usage(stderr);
            return 2;
        }
    }
    if (spec.empty()) {
        std::fprintf(stderr, "fake_tc_server: a bus spec is needed\n");
        usage(stderr);
        return 2;
    }

    // The signals are taken by sigwait below; the tasks' threads inherit the mask.
    const sigset_t stop_signals = block_stop_signals();

    module_man modules;
    ZEV_smart_stack stack;
    if (!join_bus("fake_tc_server", spec, modules, stack))
        return 1;
    Fake_tc_server server(&modules, stack, settings);
    server.set_printer(print_line);
    if (!server.start_serving() || !server.start()) {
        std::fprintf(stderr, "fake_tc_server: cannot claim address %u\n", settings.address);
        return 1;
    }
    std::printf("fake_tc_server: Task Controller version %d at %u on %s\n", settings.version, settings.address,
                spec.c_str());
    std::fflush(stdout);
    // Until a stop signal; with --silent-after, silent from that time on.
    bool stopped = false;
    if (silent_after_s >= 0) {
        const timespec wait{silent_after_s, 0};
        stopped = sigtimedwait(&stop_signals, nullptr, &wait) >= 0;
        if (!stopped) {
            server.set_silent(true);
            std::printf("fake_tc_server: silent from now on\n");
            std::fflush(stdout);
        }
    }
    int signal = 0;
    if (!stopped)
        sigwait(&stop_signals, &signal);
    server.terminate(1, 1000);
    stack.close();
    std::printf("fake_tc_server: stopped\n");
    return 0;
}
