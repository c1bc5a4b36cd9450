#include "platform/can/Bus_select.h"
#include "platform/can/Can_hub.h"
#include "platform/can/Tcp_can_bus.h"
#include "platform/rtos/Debug_base.h"
#include "tests/platform/can/Heard.h"
#include "tests/support/Wait_until.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

Can_frame frame(uint32_t id, uint8_t first)
{
    Can_frame f;
    f.id = id;
    f.dlc = 1;
    f.data[0] = first;
    return f;
}

// A server that sends its answers to every client as soon as it comes, then
// reads nothing.
class Scripted_server {
public:
    explicit Scripted_server(std::string answers = "< hi >< ok >< ok >",
                             std::function<void()> before_answers = nullptr)
    {
        listen_fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int small = 4096; // fills soon
        setsockopt(listen_fd_, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        bind(listen_fd_, reinterpret_cast<sockaddr*>(&addr), len);
        listen(listen_fd_, 4);
        getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        greeter_ = std::thread([this, answers, before_answers] {
            for (;;) {
                int fd = accept(listen_fd_, nullptr, nullptr);
                if (fd < 0)
                    return;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    clients_.push_back(fd);
                }
                if (before_answers)
                    before_answers();
                ssize_t n = send(fd, answers.data(), answers.size(), MSG_NOSIGNAL);
                (void)n;
            }
        });
    }
    ~Scripted_server()
    {
        shutdown(listen_fd_, SHUT_RDWR); // ends the accept
        greeter_.join();
        for (int fd : clients_)
            close(fd);
        close(listen_fd_);
    }
    int port() const { return port_; }
    std::string spec() const { return "tcp,addr=127.0.0.1,port=" + std::to_string(port_); }

private:
    int listen_fd_ = -1;
    int port_ = 0;
    std::mutex mutex_;
    std::vector<int> clients_;
    std::thread greeter_;
};

// Short waits, so that the tests do not wait the real ones.
Tcp_can_bus::Timing quick(int stall_ms = 5000, int first_retry_ms = 20)
{
    Tcp_can_bus::Timing t;
    t.handshake_ms = 300;
    t.stall_ms = stall_ms;
    t.first_retry_ms = first_retry_ms;
    return t;
}

// The process's debug lines while it lives, each with when it was printed;
// the CAN layer's channel is on.
class Timed_lines {
public:
    Timed_lines()
    {
        Debug_base::set_filters("3c");
        Debug_print::set_sink([this](const char* text) {
            std::lock_guard<std::mutex> lock(mutex_);
            lines_.push_back({Clock::now(), text});
        });
    }
    ~Timed_lines()
    {
        Debug_print::set_sink(nullptr);
        Debug_base::set_filters("");
    }
    // The times of the lines that hold the text.
    std::vector<Clock::time_point> times_of(const std::string& text) const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<Clock::time_point> out;
        for (const Line& l : lines_)
            if (l.text.find(text) != std::string::npos)
                out.push_back(l.at);
        return out;
    }
    size_t count(const std::string& text) const { return times_of(text).size(); }
    bool wait_for(const std::string& text, size_t n = 1)
    {
        return wait_until([&] { return count(text) >= n; });
    }
    std::string text() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::string out;
        for (const Line& l : lines_)
            out += l.text;
        return out;
    }

private:
    struct Line {
        Clock::time_point at;
        std::string text;
    };
    mutable std::mutex mutex_;
    std::vector<Line> lines_;
};

TEST(Tcp_bus, a_server_that_does_not_speak_raw_mode_is_refused_with_what_it_said)
{
    struct Case {
        std::string answers;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"< hi >< error no such bus >", "expected \"< ok >\" from the server, got \"< error no such bus >\""},
        {"SSH-2.0-OpenSSH_9.2\r\n", "no \"< hi >\" from the server within 300 ms"},
    };
    for (const Case& c : cases) {
        Scripted_server server(c.answers);
        std::string error;
        EXPECT_EQ(Tcp_can_bus::connect("127.0.0.1", server.port(), error, quick()), nullptr) << c.answers;
        EXPECT_NE(error.find("does not speak socketcand's raw mode: " + c.reason), std::string::npos) << error;
    }
}

void ignore_signal(int) {}

TEST(Tcp_bus, signals_during_the_handshake_do_not_cut_it_short)
{
    // The program's stop handlers do not restart system calls, so the
    // handshake's waits see EINTR whenever a signal comes.
    struct sigaction action {};
    action.sa_handler = ignore_signal;
    struct sigaction old {};
    sigaction(SIGUSR1, &action, &old);
    const pthread_t connecting = pthread_self();
    Scripted_server server("< hi >< ok >< ok >", [connecting] {
        for (int i = 0; i < 50; ++i) {
            pthread_kill(connecting, SIGUSR1);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    std::unique_ptr<Can_bus> bus(Bus_select::start(server.spec().c_str(), nullptr));
    sigaction(SIGUSR1, &old, nullptr);
    EXPECT_TRUE(bus);
}

TEST(Tcp_bus, the_bus_outlives_its_server_says_once_that_it_went_and_tells_its_receiver_when_it_is_back)
{
    Timed_lines lines;
    auto hub = std::make_unique<Can_hub>(std::vector<int>{0});
    std::string error;
    ASSERT_TRUE(hub->start(error)) << error;
    const int port = hub->get_ports()[0];
    auto bus = Tcp_can_bus::connect("127.0.0.1", port, error, quick());
    ASSERT_TRUE(bus) << error;
    Heard heard;
    heard.attach(*bus);

    hub.reset(); // the server stops, and with it the connection
    ASSERT_TRUE(lines.wait_for("the CAN server is gone (it closed the connection); connecting again"))
        << lines.text();
    EXPECT_FALSE(bus->send(frame(0x18EF0102, 1))) << "refused at once while the server is away";
    ASSERT_TRUE(lines.wait_for("cannot reach the CAN server", 3)) << lines.text();
    const auto gone = lines.times_of("the CAN server is gone")[0];
    const auto third = lines.times_of("cannot reach the CAN server")[2];
    EXPECT_GE(third - gone, std::chrono::milliseconds(20 + 40 + 80)) << "the pause doubles after each attempt";
    EXPECT_EQ(heard.restored(), 0);

    hub = std::make_unique<Can_hub>(std::vector<int>{port});
    ASSERT_TRUE(hub->start(error)) << error;
    ASSERT_TRUE(heard.wait_for_restored(1)) << lines.text();
    EXPECT_EQ(lines.count("the CAN server is gone"), 1u) << lines.text();
    EXPECT_EQ(lines.count("the CAN server is back"), 1u) << lines.text();

    auto peer = Tcp_can_bus::connect("127.0.0.1", port, error, quick());
    ASSERT_TRUE(peer) << error;
    Heard heard_peer;
    heard_peer.attach(*peer);
    ASSERT_TRUE(bus->send(frame(0x18EF0102, 2)));
    ASSERT_TRUE(heard_peer.wait_for(1));
    EXPECT_EQ(heard_peer.frames()[0], frame(0x18EF0102, 2));
    ASSERT_TRUE(peer->send(frame(0x18EF0201, 3)));
    ASSERT_TRUE(heard.wait_for(1));
    EXPECT_EQ(heard.frames()[0], frame(0x18EF0201, 3));
    peer->set_receiver(nullptr);
    bus->set_receiver(nullptr);
}

TEST(Tcp_bus, a_server_that_takes_nothing_fills_the_queue_without_holding_the_sender_and_counts_as_gone)
{
    Timed_lines lines;
    Scripted_server server; // greets every client and reads nothing
    std::string error;
    auto bus = Tcp_can_bus::connect("127.0.0.1", server.port(), error, quick(500));
    ASSERT_TRUE(bus) << error;
    Heard heard;
    heard.attach(*bus);
    // The kernel's socket buffers take megabytes before they fill on some
    // machines, so the sender goes on offering frames after a refusal until
    // the bus gives the server up.
    std::atomic<bool> stop{false};
    auto sending = std::async(std::launch::async, [&] {
        long sent = 0;
        while (!stop) {
            if (bus->send(frame(0x18EF0102, 1)))
                ++sent;
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return sent;
    });
    const bool gone = lines.wait_for("the CAN server is gone (it took nothing for 500 ms); connecting again");
    stop = true;
    ASSERT_EQ(sending.wait_for(std::chrono::seconds(10)), std::future_status::ready) << "a send waited";
    ASSERT_TRUE(gone) << lines.text();
    EXPECT_GT(sending.get(), long(Tcp_can_bus::max_unsent / 43)) << "the queue holds over a thousand frames";
    EXPECT_EQ(lines.count("outgoing queue full; 1 frames refused"), 1u) << lines.text();

    ASSERT_TRUE(heard.wait_for_restored(1)) << "the server greets again: the bus is back, not closed for good";
    EXPECT_TRUE(bus->send(frame(0x18EF0102, 2)));
    bus->set_receiver(nullptr);
}

// Reads from fd until what came ends with the text; false after 5 s or at the end.
bool read_through(int fd, const std::string& text)
{
    std::string got;
    while (got.size() < text.size() || got.compare(got.size() - text.size(), text.size(), text) != 0) {
        pollfd p{fd, POLLIN, 0};
        char buffer[256];
        if (poll(&p, 1, 5000) != 1)
            return false;
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            return false;
        got.append(buffer, size_t(n));
    }
    return true;
}

// The server's end of the connection sees nothing of what is sent while the
// bus is held, then all of it in one piece, in order.
TEST(Tcp_bus, frames_sent_while_the_bus_is_held_leave_together_at_the_release)
{
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&addr), len), 0);
    ASSERT_EQ(listen(listener, 1), 0);
    getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
    std::string error;
    auto connecting = std::async(std::launch::async,
                                 [&] { return Tcp_can_bus::connect("127.0.0.1", ntohs(addr.sin_port), error, quick()); });
    const int fd = accept(listener, nullptr, nullptr);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(send(fd, "< hi >< ok >< ok >", 18, MSG_NOSIGNAL), 18);
    auto bus = connecting.get();
    ASSERT_TRUE(bus) << error;
    ASSERT_TRUE(read_through(fd, "< open can0 >< rawmode >"));

    bus->hold();
    bus->hold();
    for (uint8_t i = 1; i <= 3; ++i)
        EXPECT_TRUE(bus->send(frame(0x18EF0102, i)));
    bus->release();
    pollfd p{fd, POLLIN, 0};
    EXPECT_EQ(poll(&p, 1, 0), 0) << "a frame left while the bus was held";
    bus->release();
    ASSERT_EQ(poll(&p, 1, 5000), 1) << "nothing came after the release";
    char buffer[512];
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    EXPECT_EQ(std::string(buffer, size_t(std::max<ssize_t>(n, 0))),
              "< send 18EF0102 1 01 >< send 18EF0102 1 02 >< send 18EF0102 1 03 >");

    // Not held: a frame goes on its own.
    EXPECT_TRUE(bus->send(frame(0x18EF0102, 4)));
    EXPECT_TRUE(read_through(fd, "< send 18EF0102 1 04 >"));
    bus.reset();
    close(fd);
    close(listener);
}

}
