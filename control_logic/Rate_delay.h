#pragma once
#include "control_logic/Sample_queue.h"

#include <cstdint>

// The delay of a product channel's rate between the drive and the ground:
// rate samples pass through a window of the channel's latency.
class Rate_delay {
public:
    // A changed window restarts the queue with a single zero-rate sample.
    void set_window(int32_t ms);
    void add(float rate, int32_t ms);
    // The rate of the oldest sample (0 when empty).
    float delayed() const;
    // Scanning from the oldest sample: the first non-zero rate, or 0.
    float first_non_zero() const;

    int32_t window() const { return window_; }

private:
    Sample_queue<float> queue_;
    int32_t window_ = -1; // milliseconds; -1 until set
};
