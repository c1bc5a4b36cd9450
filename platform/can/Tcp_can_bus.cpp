#include "platform/can/Tcp_can_bus.h"
#include "platform/can/Socketcand_text.h"
#include "platform/rtos/Debug_base.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int handshake_ms = 2000;
// A server that cannot take a frame within this long is gone: better a closed
// bus than a sender blocked for ever with the stack's locks held.
constexpr int send_timeout_ms = 5000;

using Clock = std::chrono::steady_clock;

int ms_left(Clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

// poll() for one descriptor that goes on after a signal (the program's stop
// handlers do not restart system calls) until the deadline.
int poll_until(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        pollfd p{fd, events, 0};
        int ready = poll(&p, 1, ms_left(deadline));
        if (ready >= 0 || errno != EINTR)
            return ready;
    }
}

// Connects within the time limit; -1 with the reason when it cannot.
int connect_socket(const std::string& address, int port, Clock::time_point deadline, std::string& error)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    int rc = getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (rc != 0) {
        error = std::string("unknown address: ") + gai_strerror(rc);
        return -1;
    }
    int fd = -1;
    error = "no address to connect to";
    for (addrinfo* a = found; a && fd < 0; a = a->ai_next) {
        fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
        if (fd < 0) {
            error = std::strerror(errno);
            continue;
        }
        int result = ::connect(fd, a->ai_addr, a->ai_addrlen);
        if (result < 0 && errno == EINPROGRESS) {
            if (poll_until(fd, POLLOUT, deadline) == 1) {
                socklen_t len = sizeof result;
                getsockopt(fd, SOL_SOCKET, SO_ERROR, &result, &len);
                errno = result;
                result = result ? -1 : 0;
            } else {
                errno = ETIMEDOUT;
                result = -1;
            }
        }
        if (result < 0) {
            error = std::strerror(errno);
            close(fd);
            fd = -1;
        }
    }
    freeaddrinfo(found);
    if (fd >= 0) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one); // frames are small and latency matters
    }
    return fd;
}

// Sends all of the text before the deadline; false with errno when it cannot.
bool send_text(int fd, const std::string& text, Clock::time_point deadline)
{
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            int ready = poll_until(fd, POLLOUT, deadline);
            if (ready == 0)
                errno = ETIMEDOUT;
            if (ready <= 0)
                return false;
            continue;
        }
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

// Waits for the server's next message and checks that it is the expected one.
bool expect(int fd, Socketcand_reader& reader, const char* expected, Clock::time_point deadline, std::string& error)
{
    Socketcand_reader::Item item;
    while (!reader.next(item)) {
        if (poll_until(fd, POLLIN, deadline) != 1) {
            error = std::string("no \"") + expected + "\" from the server within 2 s";
            return false;
        }
        char buf[256];
        ssize_t n = recv(fd, buf, sizeof buf, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = "the server closed the connection";
            return false;
        }
        reader.feed(buf, size_t(n));
    }
    if (item.bad || item.text != expected) {
        error = std::string("expected \"") + expected + "\" from the server, got \"" + item.text + "\"";
        return false;
    }
    return true;
}
}

std::unique_ptr<Tcp_can_bus> Tcp_can_bus::connect(const std::string& address, int port, std::string& error)
{
    const std::string where = address + ":" + std::to_string(port);
    auto deadline = Clock::now() + std::chrono::milliseconds(handshake_ms);
    std::string reason;
    int fd = connect_socket(address, port, deadline, reason);
    if (fd < 0) {
        error = "cannot reach the CAN server at " + where + ": " + reason;
        return nullptr;
    }
    Socketcand_reader reader;
    bool ok = expect(fd, reader, "< hi >", deadline, reason) && send_text(fd, "< open can0 >", deadline) &&
              expect(fd, reader, "< ok >", deadline, reason) && send_text(fd, "< rawmode >", deadline) &&
              expect(fd, reader, "< ok >", deadline, reason);
    if (!ok) {
        error = "the CAN server at " + where + " does not speak socketcand's raw mode: " +
                (reason.empty() ? std::string("it closed the connection") : reason);
        close(fd);
        return nullptr;
    }
    return std::unique_ptr<Tcp_can_bus>(new Tcp_can_bus(fd, where, std::move(reader)));
}

Tcp_can_bus::Tcp_can_bus(int fd, std::string where, Socketcand_reader reader)
    : fd_(fd), where_(std::move(where)), reader_(std::move(reader))
{
    thread_.start(fd_, [this] { return on_input(); }, "can.tcp");
}

Tcp_can_bus::~Tcp_can_bus()
{
    thread_.stop();
    close(fd_);
}

bool Tcp_can_bus::send(const Can_frame& frame)
{
    if (frame.dlc > 8 || !connected_)
        return false;
    std::lock_guard<std::mutex> lock(send_mutex_);
    if (!connected_)
        return false;
    if (send_text(fd_, Socketcand_text::format_send(frame), Clock::now() + std::chrono::milliseconds(send_timeout_ms)))
        return true;
    // A message may be cut off: nothing more can go on this connection.
    const std::string reason = errno == ETIMEDOUT ? "nothing taken for " + std::to_string(send_timeout_ms / 1000) + " s"
                                                  : std::string(std::strerror(errno));
    connected_ = false;
    Debug_print::dprint("CAN bus %s: the CAN server takes no more frames (%s); the bus is closed\n", where_.c_str(),
                        reason.c_str());
    return false;
}

bool Tcp_can_bus::on_input()
{
    char buf[4096];
    ssize_t n = recv(fd_, buf, sizeof buf, 0);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return true;
    if (n <= 0) {
        connected_ = false;
        Debug_print::dprint("CAN bus %s: the CAN server closed the connection\n", where_.c_str());
        return false;
    }
    reader_.feed(buf, size_t(n));
    Socketcand_reader::Item item;
    while (reader_.next(item)) {
        std::vector<std::string> words = Socketcand_text::words(item.text);
        Can_frame frame;
        if (!item.bad && Socketcand_text::parse_frame(words, frame))
            deliver(frame);
        else if (!item.bad && !words.empty() && words[0] == "error")
            Debug_print::dprint("CAN bus %s: the CAN server says %s\n", where_.c_str(), item.text.c_str());
    }
    return true;
}
