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
    // Runs when a bus that lost its server has it again. The nodes on the bus
    // may have changed meanwhile: a network layer claims its addresses again.
    using Restored = std::function<void()>;

    Can_bus() = default;
    virtual ~Can_bus() = default;
    Can_bus(const Can_bus&) = delete;
    Can_bus& operator=(const Can_bus&) = delete;

    // Never blocks. False when the frame cannot go on the bus (closed, server
    // gone, transmit queue full, bad frame).
    virtual bool send(const Can_frame& frame) = 0;

    // Frames sent between hold() and release() may wait and leave together at
    // release(), in the order they were sent: a task holds the bus while it
    // sends what one wake-up brings. Holds nest. By default frames go at once.
    virtual void hold() {}
    virtual void release() {}

    // Both run on the bus's own thread, or on the sending thread of an
    // in-process bus; they must not block. Empty ones drop what comes. Once
    // set_receiver returns, the old ones are no longer running.
    void set_receiver(Receiver receiver, Restored restored = nullptr);

protected:
    void deliver(const Can_frame& frame);
    void restored();

private:
    std::mutex receiver_mutex_;
    Receiver receiver_;
    Restored restored_;
};
