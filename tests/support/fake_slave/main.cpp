// fake_slave: the slave processors of the serial link on a pseudo-terminal,
// for the demonstration and for tests that run kx4 with --port.
#include "tests/support/Fake_slave.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
void usage(FILE* out)
{
    std::fprintf(out, "usage: fake_slave --link PATH [--echo] [--silent ADDRESS[,ADDRESS...]]...\n"
                      "Answers the controller's requests to the slave addresses 50..71 on a raw\n"
                      "pseudo-terminal reachable at PATH, one line per frame on standard output.\n"
                      "  --echo     write each request back before replying, as a shared line does\n"
                      "  --silent   never reply for these addresses\n"
                      "Ends on SIGINT or SIGTERM.\n");
}

bool parse_addresses(const std::string& text, std::set<int>& addresses)
{
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string item = text.substr(start, end - start);
        if (item.empty() || item.size() > 3 || item.find_first_not_of("0123456789") != std::string::npos)
            return false;
        int address = std::stoi(item);
        if (address < Fake_slave::first_address || address > Fake_slave::last_address)
            return false;
        addresses.insert(address);
        start = end + 1;
    }
    return true;
}
}

int main(int argc, char** argv)
{
    Fake_slave::Settings settings;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            usage(stdout);
            return 0;
        }
        if (arg == "--echo") {
            settings.echo = true;
        } else if (arg == "--link" && i + 1 < argc) {
            settings.link = argv[++i];
        } else if (arg == "--silent" && i + 1 < argc) {
            if (!parse_addresses(argv[++i], settings.silent)) {
                std::fprintf(stderr, "fake_slave: \"%s\" is not a list of addresses 50..71\n", argv[i]);
                return 2;
            }
        } else {
            std::fprintf(stderr, "fake_slave: unknown or incomplete argument \"%s\"\n", argv[i]);
            usage(stderr);
            return 2;
        }
    }
    if (settings.link.empty()) {
        std::fprintf(stderr, "fake_slave: --link is needed\n");
        usage(stderr);
        return 2;
    }

    // The signals are taken by sigwait below; the fake's thread inherits the mask.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

    Fake_slave slave(settings);
    std::string error;
    if (!slave.start(error)) {
        std::fprintf(stderr, "fake_slave: %s\n", error.c_str());
        return 1;
    }
    std::printf("fake_slave: serving %s at %s\n", slave.get_device().c_str(), settings.link.c_str());
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stop_signals, &signal);
    slave.stop();
    return 0;
}
