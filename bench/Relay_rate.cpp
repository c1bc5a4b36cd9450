#include "bench/Relay_rate.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace {

constexpr size_t window = 2000; // frames in flight

class Socket {
public:
    explicit Socket(int fd = -1) : fd_(fd) {}
    ~Socket()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

sockaddr_in loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(uint16_t(port));
    return address;
}

int connect_to(int port)
{
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(port);
    if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Reads until the text has come (the handshake's replies; nothing follows them).
bool read_until(int fd, const std::string& text)
{
    std::string got;
    while (got.find(text) == std::string::npos) {
        pollfd p{fd, POLLIN, 0};
        char buffer[256];
        if (poll(&p, 1, 5000) != 1)
            return false;
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        got.append(buffer, size_t(n));
    }
    return true;
}

bool open_raw(int fd)
{
    return fd >= 0 && read_until(fd, "< hi >") && send(fd, "< open can0 >", 13, MSG_NOSIGNAL) == 13 &&
           read_until(fd, "< ok >") && send(fd, "< rawmode >", 11, MSG_NOSIGNAL) == 11 && read_until(fd, "< ok >");
}

// Writes frames x message to out and counts the messages that reach in (each
// ends in '>'), at most `window` ahead. Frames per second, or 0.
double pump(int out, int in, const std::string& message, size_t frames)
{
    std::string chunk;
    while (chunk.size() < 16384)
        chunk += message;
    const size_t total = frames * message.size();
    size_t written = 0, received = 0;
    fcntl(out, F_SETFL, fcntl(out, F_GETFL) | O_NONBLOCK);
    const auto start = std::chrono::steady_clock::now();
    while (received < frames) {
        const bool may_write = written < total && written / message.size() < received + window;
        pollfd fds[2] = {{in, POLLIN, 0}, {out, short(may_write ? POLLOUT : 0), 0}};
        if (poll(fds, 2, 5000) <= 0)
            return 0; // frames lost
        if (fds[0].revents & POLLIN) {
            char buffer[65536];
            ssize_t n = read(in, buffer, sizeof buffer);
            if (n <= 0)
                return 0;
            received += size_t(std::count(buffer, buffer + n, '>'));
        }
        if (fds[1].revents & POLLOUT) {
            const size_t at = written % chunk.size();
            const size_t length = std::min(chunk.size() - at, total - written);
            ssize_t n = send(out, chunk.data() + at, length, MSG_NOSIGNAL);
            if (n > 0)
                written += size_t(n);
        }
    }
    return double(frames) / std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int hex_digit(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// Answers the handshake of a client: "< hi >", then "< ok >" to its two commands.
bool greet(int fd)
{
    if (send(fd, "< hi >", 6, MSG_NOSIGNAL) != 6)
        return false;
    for (int answered = 0; answered < 2;) {
        char buffer[256];
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        for (ssize_t i = 0; i < n; ++i)
            if (buffer[i] == '>' && ++answered <= 2 && send(fd, "< ok >", 6, MSG_NOSIGNAL) != 6)
                return false;
    }
    return true;
}

// Serves the first client to connect as the sender and the second as the
// receiver until the sender leaves: "< send ID DLC B0 .. >" in, "< frame ID
// TIME HEX >" out, one write for all the frames of one read.
void run_lean_relay(int listener)
{
    Socket from(accept4(listener, nullptr, nullptr, SOCK_CLOEXEC));
    Socket to(accept4(listener, nullptr, nullptr, SOCK_CLOEXEC));
    if (from.fd() < 0 || to.fd() < 0 || !greet(from.fd()) || !greet(to.fd()))
        return;
    std::string pending, out;
    char buffer[65536];
    for (ssize_t n; (n = read(from.fd(), buffer, sizeof buffer)) > 0;) {
        pending.append(buffer, size_t(n));
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, " %lld.%06ld ", static_cast<long long>(now.tv_sec), now.tv_nsec / 1000);
        size_t begin = 0;
        for (size_t end; (end = pending.find('>', begin)) != std::string::npos; begin = end + 1) {
            // "< send " ID " " DLC " " bytes... " >"
            const char* p = pending.c_str() + begin + 7;
            const char* id_end = std::strchr(p, ' ');
            out.append("< frame ").append(p, size_t(id_end - p)).append(stamp);
            const int dlc = hex_digit(id_end[1]);
            for (int i = 0; i < dlc; ++i)
                out.append(id_end + 3 + 3 * i, 2);
            out.append(" >");
        }
        pending.erase(0, begin);
        for (size_t sent = 0; sent < out.size();) {
            ssize_t w = send(to.fd(), out.data() + sent, out.size() - sent, MSG_NOSIGNAL);
            if (w <= 0)
                return;
            sent += size_t(w);
        }
        out.clear();
    }
}

}

double relay_rate(int port, size_t frames)
{
    Socket sender(connect_to(port)), receiver(connect_to(port));
    if (!open_raw(sender.fd()) || !open_raw(receiver.fd()))
        return 0;
    return pump(sender.fd(), receiver.fd(), "< send 18EF8180 8 00 01 02 03 04 05 06 07 >", frames);
}

double lean_relay_rate(size_t frames)
{
    Socket listener(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (bind(listener.fd(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener.fd(), 2) != 0 ||
        getsockname(listener.fd(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    std::thread relay([&listener] { run_lean_relay(listener.fd()); });
    const double rate = relay_rate(ntohs(address.sin_port), frames);
    shutdown(listener.fd(), SHUT_RDWR); // ends a relay still waiting for its clients
    relay.join();
    return rate;
}
