#pragma once
#include "platform/can/Can_bus.h"
#include "platform/can/Fd_reader.h"

#include <memory>
#include <string>

// A bus on a Linux SocketCAN interface ("socketcan,if=can0").
class Socketcan_bus : public Can_bus {
public:
    // Null with the reason when the kernel has no SocketCAN or the interface
    // cannot be opened.
    static std::unique_ptr<Socketcan_bus> open(const std::string& interface, std::string& error);
    ~Socketcan_bus() override;

    bool send(const Can_frame& frame) override;

private:
    Socketcan_bus(int fd, std::string interface);
    bool on_input();

    const int fd_;
    const std::string interface_;
    Fd_reader thread_;
};
