// can_hub: a CAN server for machines without CAN hardware. One virtual bus per
// port on 127.0.0.1, spoken to in socketcand's raw mode.
#include "platform/can/Can_hub.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
Can_hub* running_hub = nullptr;

void on_stop_signal(int)
{
    if (running_hub)
        running_hub->request_stop();
}

void usage(FILE* out)
{
    std::fprintf(out, "usage: can_hub [PORT...]\n"
                      "Serves one CAN bus per port on 127.0.0.1 (default ports 1500 and 1501; 0 picks a free one)\n"
                      "to clients speaking socketcand's raw mode. Ends on SIGINT or SIGTERM.\n");
}

bool parse_port(const char* text, int& port)
{
    std::string s = text;
    if (s.empty() || s.size() > 5 || s.find_first_not_of("0123456789") != std::string::npos)
        return false;
    port = std::stoi(s);
    return port <= 65535;
}
}

int main(int argc, char** argv)
{
    std::vector<int> ports;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "-h") || !std::strcmp(argv[i], "--help")) {
            usage(stdout);
            return 0;
        }
        int port;
        if (!parse_port(argv[i], port)) {
            std::fprintf(stderr, "can_hub: \"%s\" is not a port number\n", argv[i]);
            usage(stderr);
            return 2;
        }
        ports.push_back(port);
    }
    if (ports.empty())
        ports = {1500, 1501};

    Can_hub hub(ports);
    std::string error;
    if (!hub.start(error)) {
        std::fprintf(stderr, "can_hub: %s\n", error.c_str());
        return 1;
    }
    running_hub = &hub;
    struct sigaction action {};
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    std::string line = "can_hub: listening on 127.0.0.1 port";
    if (hub.get_ports().size() > 1)
        line += "s";
    for (int port : hub.get_ports())
        line += " " + std::to_string(port);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);

    hub.wait();
    running_hub = nullptr;
    return 0;
}
