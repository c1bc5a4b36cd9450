#pragma once
#include "control_logic/Sample_queue.h"

#include <cstdint>

// A delay line for one on/off signal with its own switch-on and switch-off
// delays, fed one sample per tick. Two stages: the input stage holds the
// difference between the two delays and decides, in AND mode (on-delay the
// longer) that every sample of it is on, in OR mode that any is; the output
// stage delays that by the shorter of the two. Until set_times gives it
// windows, the output follows the input at once.
class On_off_delay {
public:
    // Windows from the delays in seconds. A stage whose window is unchanged
    // keeps its samples; a changed one restarts with a single off sample.
    void set_times(double on_seconds, double off_seconds);
    void push(bool value, double seconds);
    // The value of the oldest sample of the output stage (0 when empty).
    uint8_t output() const;
    // Scanning the output stage from the oldest sample: the first value
    // other than v, or v.
    uint8_t first_other(uint8_t v) const;

    int32_t output_window() const { return output_.window; }
    int32_t input_window() const { return input_.window; }
    bool and_mode() const { return and_mode_; }
    size_t output_samples() const { return output_.queue.size(); }

private:
    struct Stage {
        Sample_queue<uint8_t> queue;
        int32_t window = -1; // milliseconds; -1 until set
        void set_window(int32_t ms);
    };

    Stage output_;
    Stage input_;
    bool and_mode_ = false;
};
