#include "tests/platform/can/Tcp_test_client.h"

#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

Tcp_test_client::Tcp_test_client(int port, int receive_buffer)
{
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (receive_buffer > 0)
        setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &receive_buffer, sizeof receive_buffer);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(uint16_t(port));
    if (connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) < 0) {
        close(fd_);
        fd_ = -1;
    }
}

Tcp_test_client::~Tcp_test_client()
{
    if (fd_ >= 0)
        close(fd_);
}

void Tcp_test_client::write(const std::string& text)
{
    ssize_t n = send(fd_, text.data(), text.size(), MSG_NOSIGNAL);
    (void)n;
}

bool Tcp_test_client::read_until(const std::string& wanted, std::string& got, int timeout_ms)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        size_t at = pending_.find(wanted);
        if (at != std::string::npos) {
            got = pending_.substr(0, at + wanted.size());
            pending_.erase(0, at + wanted.size());
            return true;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fd_, POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, int(left.count())) != 1) {
            got = pending_;
            return false;
        }
        char buf[4096];
        ssize_t n = recv(fd_, buf, sizeof buf, 0);
        if (n <= 0) {
            ended_ = true;
            got = pending_;
            return false;
        }
        pending_.append(buf, size_t(n));
    }
}

bool Tcp_test_client::read_to_end(int timeout_ms)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    pending_.clear();
    while (!ended_) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fd_, POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, int(left.count())) != 1)
            return false;
        char buf[65536];
        ended_ = recv(fd_, buf, sizeof buf, 0) <= 0;
    }
    return true;
}

bool Tcp_test_client::open_raw()
{
    std::string got;
    if (!read_until("< hi >", got))
        return false;
    write("< open can0 >");
    if (!read_until("< ok >", got))
        return false;
    write("< rawmode >");
    return read_until("< ok >", got);
}
