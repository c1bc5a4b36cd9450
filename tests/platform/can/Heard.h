#pragma once
#include "platform/can/Can_bus.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

// The frames a bus hears on its own thread, and how often its server came
// back, waited for with a generous limit.
class Heard {
public:
    void attach(Can_bus& bus)
    {
        bus.set_receiver(
            [this](const Can_frame& f) {
                std::lock_guard<std::mutex> lock(mutex_);
                frames_.push_back(f);
                changed_.notify_all();
            },
            [this] {
                std::lock_guard<std::mutex> lock(mutex_);
                ++restored_;
                changed_.notify_all();
            });
    }
    bool wait_for(size_t count)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return frames_.size() >= count; });
    }
    bool wait_for_restored(int count)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return restored_ >= count; });
    }
    std::vector<Can_frame> frames()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return frames_;
    }
    int restored()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return restored_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Can_frame> frames_;
    int restored_ = 0;
};
