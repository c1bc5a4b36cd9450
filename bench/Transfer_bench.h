#pragma once
#include "platform/can/Can_bus.h"
#include "platform/can/ZEV_Connection.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

// Two stacks with claimed addresses on one bus, and a third node that counts
// the transport frames passing, to time long messages from one to the other.
class Transfer_bench {
public:
    struct Figures {
        bool ok = false;       // the message arrived intact and its send succeeded
        double ms = 0;         // from the send to its completion at the sender
        size_t frames = 0;     // TP and ETP frames on the bus, both ways
        uint64_t sender_wake_ups = 0;   // writes to the stack tasks' descriptors
        uint64_t receiver_wake_ups = 0;
    };

    explicit Transfer_bench(const std::string& bus_spec);
    ~Transfer_bench();
    bool ready() const { return ready_; }
    Figures send(size_t length);

    // The fewest frames a message needs: the request to send, one clear to
    // send per 255 packets (and a data packet offset, for ETP), the packets
    // of 7 bytes and the end acknowledgement.
    static size_t minimum_frames(size_t length);

private:
    // Waits until no more transport frames come for a moment.
    void settle();

    module_man modules_;
    waiter_descriptor sender_waiter_, receiver_waiter_;
    ZEV::Connection sender_, receiver_;
    std::atomic<size_t> frames_{0};
    std::unique_ptr<Can_bus> counter_;
    bool ready_ = false;
};
