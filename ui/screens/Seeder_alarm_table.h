#pragma once
#include "data_store/data_store_body.h"
#include "params/alarms_t.h"
#include "vt_pool/seeder_ecu_pool/Seeder_object_name.h"
#include "vt_pool/seeder_ecu_pool/Seeder_texts.h"

#include <array>
#include <cstddef>

// An alarm that has an alarm screen: its mask in the seeder pool, its record
// in the store's alarms and its settings.
struct Seeder_alarm {
    const char* key; // the pool's key of the alarm; the mask's name is "alarm_mask_" and the key
    ds_alarm* record;
    NV_quvel::alarm_t* setting;

    VT::Seeder_object_name mask_name() const { return {VT::Seeder_texts::alarm_mask_prefix, key}; }
};

constexpr size_t seeder_alarm_count = VT::Seeder_texts::alarm_count;

// The 63 alarms in the order their screens are made. The keys are the
// pool's own (one list of names for the masks and the screens). Records and
// settings pair by name: per-tank alarms take tanks 1 to 4; the four fan
// alarms are single records whose settings are per fan, so they take fan 1's.
std::array<Seeder_alarm, seeder_alarm_count> seeder_alarms(ds_alarms& records, NV_quvel::alarms_t& settings);
