#include "platform/can/Tcp_can_bus.h"
#include "platform/can/Socketcand_text.h"
#include "platform/can/ZEV_trans.h"
#include "platform/rtos/Bugger.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
using Clock = std::chrono::steady_clock;

// Rounded up: a wait never ends before its deadline.
int ms_left(Clock::time_point deadline)
{
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

// "2 s" or "150 ms", for messages.
std::string duration_text(int ms)
{
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

// Waits for the events on fd until the deadline, going on after a signal
// (the program's stop handlers do not restart system calls). 1 when they
// came, 0 at the deadline, -1 on an error or when stop_fd (if not -1) is
// readable first.
int poll_until(int fd, short events, Clock::time_point deadline, int stop_fd)
{
    for (;;) {
        pollfd p[2] = {{fd, events, 0}, {stop_fd, POLLIN, 0}};
        int ready = poll(p, stop_fd < 0 ? 1 : 2, ms_left(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready > 0 && p[1].revents) {
            errno = ECANCELED;
            return -1;
        }
        return ready;
    }
}

// Connects before the deadline; -1 with the reason when it cannot.
int connect_socket(const std::string& address, int port, Clock::time_point deadline, int stop_fd, std::string& error)
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
            int ready = poll_until(fd, POLLOUT, deadline, stop_fd);
            if (ready == 1) {
                socklen_t len = sizeof result;
                getsockopt(fd, SOL_SOCKET, SO_ERROR, &result, &len);
                errno = result;
                result = result ? -1 : 0;
            } else {
                if (ready == 0)
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
        int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one); // frames are small and latency matters
    }
    return fd;
}

// Sends all of the text before the deadline; false with errno when it cannot.
bool send_text(int fd, const std::string& text, Clock::time_point deadline, int stop_fd)
{
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            int ready = poll_until(fd, POLLOUT, deadline, stop_fd);
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
bool expect(int fd, Socketcand_reader& reader, const char* expected, Clock::time_point deadline, int wait_ms,
            int stop_fd, std::string& error)
{
    Socketcand_reader::Item item;
    while (!reader.next(item)) {
        int ready = poll_until(fd, POLLIN, deadline, stop_fd);
        if (ready < 0 && errno == ECANCELED) {
            error = "stopped";
            return false;
        }
        if (ready != 1) {
            error = std::string("no \"") + expected + "\" from the server within " + duration_text(wait_ms);
            return false;
        }
        char buf[256];
        ssize_t n = recv(fd, buf, sizeof buf, MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0) {
            error = "it closed the connection";
            return false;
        }
        reader.feed(buf, size_t(n));
    }
    if (item.bad || item.text != expected) {
        error = std::string("expected \"") + expected + "\" from the server, got \"" + std::string(item.text) + "\"";
        return false;
    }
    return true;
}

// A connection in raw mode, or -1 with the reason. Each step has the
// handshake time; a readable stop_fd (when not -1) ends the attempt.
int open_connection(const std::string& address, int port, int handshake_ms, int stop_fd, Socketcand_reader& reader,
                    std::string& error)
{
    const std::string where = address + ":" + std::to_string(port);
    auto deadline = [handshake_ms] { return Clock::now() + std::chrono::milliseconds(handshake_ms); };
    std::string reason;
    int fd = connect_socket(address, port, deadline(), stop_fd, reason);
    if (fd < 0) {
        error = "cannot reach the CAN server at " + where + ": " + reason;
        return -1;
    }
    bool ok = expect(fd, reader, "< hi >", deadline(), handshake_ms, stop_fd, reason) &&
              send_text(fd, "< open can0 >", deadline(), stop_fd) &&
              expect(fd, reader, "< ok >", deadline(), handshake_ms, stop_fd, reason) &&
              send_text(fd, "< rawmode >", deadline(), stop_fd) &&
              expect(fd, reader, "< ok >", deadline(), handshake_ms, stop_fd, reason);
    if (!ok) {
        error = "the CAN server at " + where + " does not speak socketcand's raw mode: " +
                (reason.empty() ? std::string("it closed the connection") : reason);
        close(fd);
        return -1;
    }
    return fd;
}
}

std::unique_ptr<Tcp_can_bus> Tcp_can_bus::connect(const std::string& address, int port, std::string& error,
                                                  const Timing& timing)
{
    Socketcand_reader reader;
    int fd = open_connection(address, port, timing.handshake_ms, -1, reader, error);
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<Tcp_can_bus>(new Tcp_can_bus(address, port, timing, fd, std::move(reader)));
}

std::unique_ptr<Tcp_can_bus> Tcp_can_bus::connect(const std::string& address, int port, std::string& error)
{
    return connect(address, port, error, Timing());
}

Tcp_can_bus::Tcp_can_bus(const std::string& address, int port, const Timing& timing, int fd,
                         Socketcand_reader reader)
    : address_(address), port_(port), where_(address + ":" + std::to_string(port)), timing_(timing), fd_(fd),
      reader_(std::move(reader))
{
    wake_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake_fd_ < 0)
        Bugger::report_bug("Tcp_can_bus: cannot create eventfd");
    thread_ = std::thread([this] { run(); });
    pthread_setname_np(thread_.native_handle(), "can.tcp");
}

Tcp_can_bus::~Tcp_can_bus()
{
    stopping_ = true;
    wake();
    thread_.join();
    if (fd_ >= 0)
        close(fd_);
    close(wake_fd_);
}

bool Tcp_can_bus::send(const Can_frame& frame)
{
    if (frame.dlc > 8)
        return false;
    const Socketcand_text::Text formatted = Socketcand_text::format_send(frame);
    const std::string_view text = formatted.view();
    std::lock_guard<std::mutex> lock(mutex_);
    if (fd_ < 0)
        return false;
    if (unsent_.size() + text.size() > max_unsent) {
        ++refused_;
        Debug_base::print(ZEV_trans::DEBUG_CHANNEL, "CAN bus %s: outgoing queue full; %lu frames refused\n",
                          where_.c_str(), refused_);
        return false;
    }
    const bool was_empty = unsent_.empty();
    unsent_ += text;
    if (was_empty) {
        last_progress_ = Clock::now();
        if (holds_ == 0)
            write_now_locked();
    }
    return true;
}

void Tcp_can_bus::hold()
{
    std::lock_guard<std::mutex> lock(mutex_);
    ++holds_;
}

void Tcp_can_bus::release()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (holds_ > 0 && --holds_ == 0 && fd_ >= 0 && !unsent_.empty()) {
        last_progress_ = Clock::now(); // time held is not the server's stall
        write_now_locked();
    }
}

void Tcp_can_bus::write_now_locked()
{
    // Mostly it all goes now and the thread sleeps on. A failed connection
    // keeps the text: the thread finds out and reconnects.
    write_unsent_locked();
    if (!unsent_.empty())
        wake();
}

bool Tcp_can_bus::write_unsent_locked()
{
    while (!unsent_.empty()) {
        ssize_t n = ::send(fd_, unsent_.data(), unsent_.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return true;
        if (n <= 0)
            return false;
        unsent_.erase(0, size_t(n));
        last_progress_ = Clock::now();
    }
    return true;
}

void Tcp_can_bus::run()
{
    for (;;) {
        const std::string why = serve();
        if (stopping_)
            return;
        drop_connection();
        Debug_print::dprint("CAN bus %s: the CAN server is gone (%s); connecting again\n", where_.c_str(),
                            why.c_str());
        if (!reconnect())
            return;
        Debug_print::dprint("CAN bus %s: the CAN server is back\n", where_.c_str());
        restored();
    }
}

std::string Tcp_can_bus::serve()
{
    auto stall_deadline = [this] { return last_progress_ + std::chrono::milliseconds(timing_.stall_ms); };
    for (;;) {
        int timeout = -1; // while nothing waits to go or the bus is held
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!unsent_.empty() && holds_ == 0)
                timeout = ms_left(stall_deadline());
        }
        pollfd fds[2] = {{fd_, short(POLLIN | (timeout >= 0 ? POLLOUT : 0)), 0}, {wake_fd_, POLLIN, 0}};
        if (poll(fds, 2, timeout) < 0)
            continue; // interrupted by a signal
        if (stopping_)
            return {};
        if (fds[1].revents)
            take_wake();
        std::string why;
        if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) && !read_input(why))
            return why;
        std::lock_guard<std::mutex> lock(mutex_);
        if (holds_ > 0)
            continue; // what waits goes together at the release
        if (!write_unsent_locked())
            return std::strerror(errno);
        if (!unsent_.empty() && Clock::now() >= stall_deadline())
            return "it took nothing for " + duration_text(timing_.stall_ms);
    }
}

bool Tcp_can_bus::read_input(std::string& why)
{
    char buf[4096];
    ssize_t n = recv(fd_, buf, sizeof buf, MSG_DONTWAIT);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return true;
    if (n <= 0) {
        why = n == 0 ? "it closed the connection" : std::strerror(errno);
        return false;
    }
    reader_.feed(buf, size_t(n));
    Socketcand_reader::Item item;
    while (reader_.next(item)) {
        const Socketcand_text::Words words = Socketcand_text::words(item.text);
        Can_frame frame;
        if (!item.bad && Socketcand_text::parse_frame(words, frame))
            deliver(frame);
        else if (!item.bad && !words.empty() && words[0] == "error")
            Debug_print::dprint("CAN bus %s: the CAN server says %.*s\n", where_.c_str(), int(item.text.size()),
                                item.text.data());
    }
    return true;
}

// Frames that wait go with the connection, as they would with a bus-off controller.
void Tcp_can_bus::drop_connection()
{
    std::lock_guard<std::mutex> lock(mutex_);
    close(fd_);
    fd_ = -1;
    unsent_.clear();
}

bool Tcp_can_bus::reconnect()
{
    // A send may have woken the thread before the connection failed; from
    // now on sends are refused, so the wake-up descriptor rings only for stop.
    take_wake();
    int pause = timing_.first_retry_ms;
    for (;;) {
        if (stopped_within(pause))
            return false;
        Socketcand_reader reader;
        std::string error;
        int fd = open_connection(address_, port_, timing_.handshake_ms, wake_fd_, reader, error);
        if (stopping_) {
            if (fd >= 0)
                close(fd);
            return false;
        }
        if (fd >= 0) {
            reader_ = std::move(reader);
            std::lock_guard<std::mutex> lock(mutex_);
            fd_ = fd;
            return true;
        }
        Debug_base::print(ZEV_trans::DEBUG_CHANNEL, "CAN bus %s: %s\n", where_.c_str(), error.c_str());
        pause = std::min(pause * 2, timing_.longest_retry_ms);
    }
}

bool Tcp_can_bus::stopped_within(int ms)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (!stopping_) {
        pollfd p{wake_fd_, POLLIN, 0};
        int ready = poll(&p, 1, ms_left(deadline));
        if (ready == 0)
            return false;
        if (ready > 0)
            take_wake();
    }
    return true;
}

void Tcp_can_bus::wake()
{
    uint64_t one = 1;
    ssize_t n = write(wake_fd_, &one, sizeof one);
    (void)n;
}

void Tcp_can_bus::take_wake()
{
    uint64_t count;
    ssize_t n = read(wake_fd_, &count, sizeof count);
    (void)n;
}
