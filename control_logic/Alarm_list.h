#pragma once
#include "data_store/Data_store.h"

#include <cstdint>
#include <vector>

namespace NV_quvel {
class alarm_t;
class alarms_t;
}

// Every alarm record of the store paired with its setting, and the delay
// each one waits out before the alarm screens show it.
class Alarm_list {
public:
    // Pairs by name, never by position: the records and the settings are
    // kept in different orders. The settings stay those of the copy given
    // here, so a refresh of that copy reaches the delays.
    Alarm_list(Data_store& store, NV_quvel::alarms_t& settings);

    // The 1000 ms step: a record triggered for delay_count + 1 consecutive
    // steps becomes active; a cleared trigger, a disabled setting or a tank
    // calibration clears the whole record, acknowledged included.
    void delay_step(bool calibrating);

    size_t size() const { return entries_.size(); }

private:
    struct Entry {
        ds_alarm* record;
        const NV_quvel::alarm_t* setting;
        uint32_t countdown;
        bool started;
        bool raised;
        bool is_new;
    };
    void add(ds_alarm& record, const NV_quvel::alarm_t* setting);

    Data_store& store_;
    std::vector<Entry> entries_;
};
