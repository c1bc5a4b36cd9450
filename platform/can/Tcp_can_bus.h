#pragma once
#include "platform/can/Can_bus.h"
#include "platform/can/Socketcand_reader.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// A bus reached through a CAN server that speaks socketcand's raw mode
// ("tcp,addr=A,port=P"): socketcand itself in front of real hardware, or our
// can_hub. It outlives its server: when the server goes, or takes nothing
// while frames wait, the bus says so once, connects again with a growing
// pause, says when the server is back and tells its receiver (Restored).
// While the server is away every send fails at once.
class Tcp_can_bus : public Can_bus {
public:
    // The waits of the connection, in milliseconds.
    struct Timing {
        int handshake_ms = 2000;     // to connect, and to hear each answer of the server
        int stall_ms = 5000;         // a server that takes nothing for this long while frames wait is gone
        int first_retry_ms = 100;    // the pause before a new attempt, doubled after each failed one
        int longest_retry_ms = 2000; // up to this
    };
    // Text of the frames waiting for the server, over a thousand frames: a
    // block of a long message fits several times. A frame that does not fit
    // is refused, as by a full CAN transmit queue.
    static constexpr size_t max_unsent = 48 * 1024;

    // Connects, waits for the greeting and opens the server's bus in raw
    // mode; null with the reason when any step fails or takes too long.
    static std::unique_ptr<Tcp_can_bus> connect(const std::string& address, int port, std::string& error,
                                                const Timing& timing);
    static std::unique_ptr<Tcp_can_bus> connect(const std::string& address, int port, std::string& error);
    ~Tcp_can_bus() override;

    // Queues the frame and returns at once; frames refused for a full queue
    // are counted on the CAN layer's debug channel.
    bool send(const Can_frame& frame) override;
    // What is sent while held goes in one write at the last release.
    void hold() override;
    void release() override;

private:
    using Clock = std::chrono::steady_clock;

    Tcp_can_bus(const std::string& address, int port, const Timing& timing, int fd, Socketcand_reader reader);
    void run();
    // Carries frames both ways until the connection fails (why) or stop (empty).
    std::string serve();
    // Reads what came; false with why when the connection has failed.
    bool read_input(std::string& why);
    // Writes what it can of unsent_ without waiting; false on a failed connection.
    bool write_unsent_locked();
    // Writes what it can from the sending thread and leaves the rest to the bus's.
    void write_now_locked();
    void drop_connection();
    // Tries again with a growing pause until the server is back (true) or stop (false).
    bool reconnect();
    // Waits ms; true when stop comes first.
    bool stopped_within(int ms);
    void wake();
    void take_wake();

    const std::string address_;
    const int port_;
    const std::string where_; // "address:port", for messages
    const Timing timing_;
    int wake_fd_ = -1;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_; // guards what follows; the thread alone changes fd_
    int fd_;           // -1 while the server is away
    std::string unsent_;
    Clock::time_point last_progress_; // when unsent_ last shrank or began to fill
    unsigned long refused_ = 0;
    unsigned holds_ = 0;
    Socketcand_reader reader_; // the thread's
    std::thread thread_;
};
