#include "platform/iso/TC_client_Measurement.h"
#include "platform/iso/TC_client_Process_data_element.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace TC_client {

uint8_t Measurement::command(uint8_t command, int32_t value, uint8_t triggers)
{
    uint8_t needed = 0;
    switch (command) {
    case time_interval: needed = Process_data_element::trigger_time; break;
    case distance_interval: needed = Process_data_element::trigger_distance; break;
    case minimum_threshold:
    case maximum_threshold: needed = Process_data_element::trigger_threshold; break;
    case change_threshold: needed = Process_data_element::trigger_on_change; break;
    default: return trigger_not_supported;
    }
    if (!(triggers & needed))
        return trigger_not_supported;
    if (value < 0 && (command == time_interval || command == distance_interval || command == change_threshold))
        return invalid_interval;
    switch (command) {
    case time_interval: time_ms_ = value; break;
    case distance_interval: distance_mm_ = value; break;
    case minimum_threshold:
        has_minimum_ = true;
        minimum_ = value;
        break;
    case maximum_threshold:
        has_maximum_ = true;
        maximum_ = value;
        break;
    case change_threshold: change_ = value; break;
    }
    return 0;
}

void Measurement::set_defaults(const Measurement_thresholds& d, uint8_t triggers)
{
    if (triggers & Process_data_element::trigger_time)
        time_ms_ = std::max(d.time_interval_ms, 0);
    if (triggers & Process_data_element::trigger_distance)
        distance_mm_ = std::max(d.distance_interval_mm, 0);
    if (triggers & Process_data_element::trigger_on_change)
        change_ = std::max(d.change, 0);
    if (triggers & Process_data_element::trigger_threshold) {
        has_minimum_ = d.minimum != std::numeric_limits<int32_t>::min();
        minimum_ = d.minimum;
        has_maximum_ = d.maximum != std::numeric_limits<int32_t>::max();
        maximum_ = d.maximum;
    }
}

bool Measurement::due(Atime now, int tick_ms, int64_t distance_mm) const
{
    if (time_ms_ > 0 && (!ever_sent_ || now - last_time_ >= Rtime(std::max(time_ms_, tick_ms))))
        return true;
    return distance_mm_ > 0 && distance_mm - last_distance_ >= distance_mm_;
}

bool Measurement::due_on_report(int32_t value) const
{
    if (change_ > 0 && (!ever_sent_ || std::llabs(int64_t(value) - last_value_) >= change_))
        return true;
    if (!has_minimum_ && !has_maximum_)
        return false;
    return (!has_minimum_ || value > minimum_) && (!has_maximum_ || value < maximum_);
}

void Measurement::sent(int32_t value, Atime now, int64_t distance_mm)
{
    ever_sent_ = true;
    last_value_ = value;
    last_time_ = now;
    last_distance_ = distance_mm;
}

}
