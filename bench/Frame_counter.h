#pragma once
#include "platform/can/Can_bus.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

// Counts the frames of a bus by kind, on a node of its own. The count is
// read once the counter has seen every frame sent until then: over a CAN
// server the counter's frames come on its own connection, later than the
// nodes that finished a transfer saw theirs.
class Frame_counter {
public:
    static constexpr size_t kinds = 2;
    // The kind a frame is counted as, or -1 for none.
    using Kind = std::function<int(const Can_frame&)>;

    Frame_counter(const std::string& bus_spec, Kind kind);
    ~Frame_counter();
    Frame_counter(const Frame_counter&) = delete;
    Frame_counter& operator=(const Frame_counter&) = delete;

    bool ready() const { return counter_ && marker_; }
    // Sends a marker frame from a second node and waits up to timeout_ms
    // for it: a bus keeps the order of what it carries, so once the marker
    // has come, so has every frame sent before it. False when it did not come.
    bool settle(int timeout_ms);
    size_t count(size_t kind) const { return counts_[kind]; }

private:
    Kind kind_;
    std::unique_ptr<Can_bus> counter_;
    std::unique_ptr<Can_bus> marker_;
    std::array<std::atomic<size_t>, kinds> counts_{};
    std::mutex mutex_;
    std::condition_variable marker_seen_;
    uint8_t last_marker_ = 0;
};
