#pragma once
#include "platform/iso/TC_client_Measurement_thresholds.h"
#include "platform/rtos/Atime.h"

#include <cstdint>

namespace TC_client {

// When one process-data value goes to the Task Controller, as its
// measurement commands (ISO 11783-10) asked: every so many milliseconds or
// millimetres, when it changed by so much, or while it lies within the
// thresholds. Nothing is measured until a command or the defaults say so.
class Measurement {
public:
    // Measurement commands.
    static constexpr uint8_t time_interval = 4, distance_interval = 5, minimum_threshold = 6,
                             maximum_threshold = 7, change_threshold = 8;
    // Error bits of the process-data acknowledge.
    static constexpr uint8_t trigger_not_supported = 0x08, invalid_interval = 0x20;

    // Takes the command for a value whose entry offers the trigger methods
    // (Process_data_element bits); the acknowledge's error bits, 0 when taken.
    // A time, distance or change of 0 ends that trigger.
    uint8_t command(uint8_t command, int32_t value, uint8_t triggers);
    // The value's own defaults, for the triggers its entry offers.
    void set_defaults(const Measurement_thresholds& defaults, uint8_t triggers);

    // Due by time (never more often than every tick_ms) or by distance.
    bool due(Atime now, int tick_ms, int64_t distance_mm) const;
    // A reported value is due by its change or its thresholds.
    bool due_on_report(int32_t value) const;
    void sent(int32_t value, Atime now, int64_t distance_mm);

private:
    int32_t time_ms_ = 0;
    int32_t distance_mm_ = 0;
    int32_t change_ = 0;
    bool has_minimum_ = false, has_maximum_ = false;
    int32_t minimum_ = 0, maximum_ = 0;

    bool ever_sent_ = false;
    int32_t last_value_ = 0;
    Atime last_time_;
    int64_t last_distance_ = 0;
};

}
