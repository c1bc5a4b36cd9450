#include "bench/Frame_counter.h"
#include "platform/can/Bus_select.h"

#include <chrono>

namespace {
// A standard frame: the network layers on the bus take only extended ones.
constexpr uint32_t marker_id = 0x7FF;
}

Frame_counter::Frame_counter(const std::string& bus_spec, Kind kind)
    : kind_(std::move(kind)), counter_(Bus_select::start(bus_spec.c_str(), nullptr)),
      marker_(Bus_select::start(bus_spec.c_str(), nullptr))
{
    if (!counter_)
        return;
    counter_->set_receiver([this](const Can_frame& frame) {
        if (!frame.extended && frame.id == marker_id && frame.dlc == 1) {
            std::lock_guard<std::mutex> lock(mutex_);
            last_marker_ = frame.data[0];
            marker_seen_.notify_all();
            return;
        }
        const int k = kind_(frame);
        if (k >= 0 && size_t(k) < kinds)
            ++counts_[size_t(k)];
    });
}

Frame_counter::~Frame_counter()
{
    if (counter_)
        counter_->set_receiver(nullptr);
}

bool Frame_counter::settle(int timeout_ms)
{
    if (!ready())
        return false;
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    std::unique_lock<std::mutex> lock(mutex_);
    Can_frame marker;
    marker.id = marker_id;
    marker.extended = false;
    marker.dlc = 1;
    marker.data[0] = uint8_t(last_marker_ + 1);
    // A bus still connecting refuses the frame: sent again until it goes.
    while (std::chrono::steady_clock::now() < give_up) {
        lock.unlock();
        const bool sent = marker_->send(marker);
        lock.lock();
        if (sent && marker_seen_.wait_until(lock, give_up, [&] { return last_marker_ == marker.data[0]; }))
            return true;
        if (!sent)
            marker_seen_.wait_for(lock, std::chrono::milliseconds(10));
    }
    return false;
}
