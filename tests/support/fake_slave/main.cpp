// fake_slave: the slave processors of the serial link on a pseudo-terminal,
// for the demonstration and for tests that run kx4 with --port.
#include "tests/support/Fake_slave.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {
void usage(FILE* out)
{
    std::fprintf(out, "usage: fake_slave --link PATH [--echo] [--silent ADDRESS[,ADDRESS...]]...\n"
                      "Answers the controller's requests to the slave addresses 50..71 on a raw\n"
                      "pseudo-terminal reachable at PATH, one line per frame on standard output.\n"
                      "  --echo     write each request back before replying, as a shared line does\n"
                      "  --silent   never reply for these addresses\n"
                      "Commands on standard input, one a line, take effect at the next request:\n"
                      "  silent ADDRESS[,ADDRESS...]   stop replying for these addresses\n"
                      "  answer ADDRESS[,ADDRESS...]   reply for them again\n"
                      "  stall ADDRESS[,ADDRESS...]    their drives report no pulse, whatever asked\n"
                      "  turn ADDRESS[,ADDRESS...]     their drives turn as asked again\n"
                      "  echo on|off\n"
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

// One command line of standard input; false with a message when it is none.
bool run_command(Fake_slave& slave, const std::string& line)
{
    const size_t space = line.find(' ');
    const std::string word = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    if (word == "echo" && (rest == "on" || rest == "off")) {
        slave.set_echo(rest == "on");
        std::printf("fake_slave: echo %s\n", rest.c_str());
        return true;
    }
    std::set<int> addresses;
    if ((word == "silent" || word == "answer") && parse_addresses(rest, addresses)) {
        for (int address : addresses) {
            slave.set_silent(address, word == "silent");
            std::printf("fake_slave: %d %s\n", address, word == "silent" ? "silent" : "answering");
        }
        return true;
    }
    if ((word == "stall" || word == "turn") && parse_addresses(rest, addresses)) {
        for (int address : addresses) {
            slave.set_stalled(address, word == "stall");
            std::printf("fake_slave: %d %s\n", address, word == "stall" ? "stalled" : "turning");
        }
        return true;
    }
    std::fprintf(stderr, "fake_slave: unknown command \"%s\"\n", line.c_str());
    return false;
}

// Serves the commands of standard input until a stop signal; after the end
// of the input only the signal.
void serve(Fake_slave& slave, int signal_fd)
{
    std::string pending;
    bool input_open = true;
    for (;;) {
        pollfd fds[2] = {{signal_fd, POLLIN, 0}, {input_open ? STDIN_FILENO : -1, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0)
            continue;
        if (fds[0].revents & POLLIN)
            return;
        if (!(fds[1].revents & (POLLIN | POLLHUP)))
            continue;
        char chunk[256];
        const ssize_t n = read(STDIN_FILENO, chunk, sizeof chunk);
        if (n <= 0) {
            input_open = false;
            continue;
        }
        pending.append(chunk, size_t(n));
        for (size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty())
                run_command(slave, line);
        }
        std::fflush(stdout);
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

    // The signals are read from a descriptor below; the fake's thread inherits the mask.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);
    // Started in the background of a shell, reading the terminal fails
    // rather than stopping the fake: the commands end, the replies go on.
    std::signal(SIGTTIN, SIG_IGN);
    const int signal_fd = signalfd(-1, &stop_signals, SFD_CLOEXEC);
    if (signal_fd < 0) {
        std::perror("fake_slave: signalfd");
        return 1;
    }

    Fake_slave slave(settings);
    std::string error;
    if (!slave.start(error)) {
        std::fprintf(stderr, "fake_slave: %s\n", error.c_str());
        return 1;
    }
    std::printf("fake_slave: serving %s at %s\n", slave.get_device().c_str(), settings.link.c_str());
    std::fflush(stdout);
    serve(slave, signal_fd);
    slave.stop();
    close(signal_fd);
    return 0;
}
