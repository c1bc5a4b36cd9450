#pragma once
#include <cstdint>
#include <limits>

namespace TC_client {

// When a value is measured for the Task Controller until it asks otherwise
// (ISO 11783-10 measurement commands). Built as is, it holds the library's
// defaults: every second and on every change, no distance trigger, no limits.
struct Measurement_thresholds {
    int32_t time_interval_ms = 1000;    // 0: no time trigger
    int32_t distance_interval_mm = 0;   // 0: no distance trigger
    int32_t minimum = std::numeric_limits<int32_t>::min();
    int32_t maximum = std::numeric_limits<int32_t>::max();
    int32_t change = 1;                 // 0: no change trigger
};

}
