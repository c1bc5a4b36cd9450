// can_hub's command parser: what one client sends it, as the hub reads it.
//
// Input: the bytes a new client sends after the greeting. A listener in raw
// mode on the same port hears the frames they make.
//
// Holds: the hub answers every input and goes on serving; everything it
// sends fits the 128 characters a reader accepts; the sender hears only
// "< hi >", "< ok >" and "< error ... >", the listener only frames it can
// parse.
//
// A call interrupted by a signal (libFuzzer's -timeout watchdog sends them)
// is made again, as the hub does.
#include "fuzz/Fuzz_check.h"
#include "platform/can/Can_hub.h"
#include "platform/can/Socketcand_reader.h"
#include "platform/can/Socketcand_text.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Connects, waiting out an interruption: the connection goes on by itself
// and is there once the socket can be written.
bool connect_to(int fd, const sockaddr_in& addr)
{
    if (connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0)
        return true;
    if (errno != EINTR)
        return false;
    pollfd p{fd, POLLOUT, 0};
    int n;
    while ((n = poll(&p, 1, 10000)) < 0 && errno == EINTR) {
    }
    int error = 0;
    socklen_t length = sizeof error;
    return n == 1 && getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

// One client connection, read message by message.
class Client {
public:
    explicit Client(int port)
    {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(uint16_t(port));
        fuzz_check(fd_ >= 0 && connect_to(fd_, addr), "the hub takes a connection");
        int one = 1;
        setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        // Closed with a reset: a run makes more connections than the kernel
        // would keep in TIME_WAIT.
        linger reset{1, 0};
        setsockopt(fd_, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        fuzz_check(next() == "< hi >", "the hub greets a client");
    }
    ~Client() { close(fd_); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    void send(const std::string& bytes)
    {
        for (size_t done = 0; done < bytes.size();) {
            ssize_t n = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR)
                continue;
            fuzz_check(n > 0, "the hub takes what a client sends");
            done += size_t(n);
        }
    }
    // The next message, checked to be whole and short enough to read.
    std::string next()
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        Socketcand_reader::Item item;
        while (!reader_.next(item)) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd p{fd_, POLLIN, 0};
            fuzz_check(left.count() > 0, "the hub answers within 10 s");
            const int ready = poll(&p, 1, int(left.count()));
            if (ready < 0 && errno == EINTR)
                continue;
            fuzz_check(ready == 1, "the hub answers within 10 s");
            char buf[4096];
            ssize_t n = recv(fd_, buf, sizeof buf, 0);
            if (n < 0 && errno == EINTR)
                continue;
            fuzz_check(n > 0, "the hub keeps the connection");
            reader_.feed(buf, size_t(n));
        }
        if (item.bad)
            std::fprintf(stderr, "unreadable message from the hub: %.*s\n", int(item.text.size()), item.text.data());
        fuzz_check(!item.bad, "every message of the hub can be read");
        return std::string(item.text);
    }

private:
    int fd_;
    Socketcand_reader reader_;
};

// With raw mode the client hears the bus; without, it only sends.
void open(Client& client, bool raw)
{
    client.send("< open can0 >");
    fuzz_check(client.next() == "< ok >", "a client opens the bus");
    if (raw) {
        client.send("< rawmode >");
        fuzz_check(client.next() == "< ok >", "a client goes to raw mode");
    }
}

int start(Can_hub& hub)
{
    std::string error;
    fuzz_check(hub.start(error), "the hub starts");
    return hub.get_ports()[0];
}

// The hub on a free port, a listener in raw mode and a client that sends
// the frame that ends each run.
struct Bench {
    Can_hub hub{{0}};
    int port = start(hub);
    Client listener{port};
    Client marker{port};
    Bench()
    {
        open(listener, true);
        open(marker, false);
    }
};

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Bench bench;
    static unsigned long run = 0;
    ++run;

    Client sender(bench.port);
    sender.send(std::string(reinterpret_cast<const char*>(data), size));
    // An unknown command of this run only: its error says the hub has read
    // everything before it.
    const std::string sync = "sync" + std::to_string(run);
    sender.send("< " + sync + " >");
    for (;;) {
        const std::string reply = sender.next();
        if (reply == "< error unknown command " + sync + " >")
            break;
        fuzz_check(reply == "< ok >" || reply.compare(0, 8, "< error ") == 0, "a client hears only ok and errors");
    }

    // The hub handles clients in turn: the marker's frame reaches the
    // listener after every frame of the sender.
    char id[16];
    std::snprintf(id, sizeof id, "%08lX", run & 0x1FFFFFFF);
    bench.marker.send("< send " + std::string(id) + " 0 >");
    for (;;) {
        const std::string message = bench.listener.next();
        Can_frame frame;
        fuzz_check(Socketcand_text::parse_frame(Socketcand_text::words(message), frame),
                   "a listener hears only frames it can parse");
        if (message.compare(0, 16, "< frame " + std::string(id)) == 0 && frame.dlc == 0)
            break;
    }
    return 0;
}
