#pragma once
#include "platform/can/Can_frame.h"

#include <functional>
#include <mutex>

// One CAN bus as a node sees it: frames it sends go to every other node, and
// frames of the other nodes come to its receiver. Back-ends: a socketcand
// server over TCP, an in-process bus for tests and Linux SocketCAN; Bus_select
// picks one from a bus spec.
class Can_bus {
public:
    using Receiver = std::function<void(const Can_frame&)>;

    Can_bus() = default;
    virtual ~Can_bus() = default;
    Can_bus(const Can_bus&) = delete;
    Can_bus& operator=(const Can_bus&) = delete;

    // False when the frame cannot go on the bus (closed, server gone, bad frame).
    virtual bool send(const Can_frame& frame) = 0;

    // The receiver runs on the bus's own thread, or on the sending thread of an
    // in-process bus; it must not block. An empty receiver drops what arrives.
    // Once set_receiver returns, the old receiver is no longer running.
    void set_receiver(Receiver receiver);

protected:
    void deliver(const Can_frame& frame);

private:
    std::mutex receiver_mutex_;
    Receiver receiver_;
};
