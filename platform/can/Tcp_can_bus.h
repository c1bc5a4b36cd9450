#pragma once
#include "platform/can/Can_bus.h"
#include "platform/can/Fd_reader.h"
#include "platform/can/Socketcand_reader.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

// A bus reached through a CAN server that speaks socketcand's raw mode
// ("tcp,addr=A,port=P"): socketcand itself in front of real hardware, or our
// can_hub.
class Tcp_can_bus : public Can_bus {
public:
    // Connects, waits for the greeting and opens the server's bus in raw
    // mode; null with the reason when any step fails or takes over 2 s.
    static std::unique_ptr<Tcp_can_bus> connect(const std::string& address, int port, std::string& error);
    ~Tcp_can_bus() override;

    bool send(const Can_frame& frame) override;

private:
    Tcp_can_bus(int fd, std::string where, Socketcand_reader reader);
    bool on_input();

    const int fd_;
    const std::string where_; // "address:port", for messages
    std::atomic<bool> connected_{true};
    std::mutex send_mutex_;
    Socketcand_reader reader_; // used by the reading thread only
    Fd_reader thread_;
};
