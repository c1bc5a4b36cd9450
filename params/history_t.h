#pragma once
#include "params/total_t.h"
#include "params/value_t.h"

namespace NV_quvel {

// The machine's operating history.
class history_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(history_t)

    nv_float machine_operating_area{this, 1, 0.0f, "machine_operating_area"};
    nv_float machine_operating_distance{this, 2, 0.0f, "machine_operating_distance"};
    nv_float machine_operating_time{this, 3, 0.0f, "machine_operating_time"};
    nv_float max_speed{this, 4, 0.0f, "max_speed"};
    NV_store::NV_item_array<10, total_t> output{this, _get_root(), 5, "output"};
    NV_store::NV_item_array<10, value_t> shaft_max_speed{this, _get_root(), 6, "shaft_max_speed"};
    NV_store::NV_item_array<5, value_t> fan_max_speed{this, _get_root(), 7, "fan_max_speed"};
    NV_store::NV_item_array<5, value_t> fan_avg_speed{this, _get_root(), 8, "fan_avg_speed"};
    NV_store::NV_item_array<4, value_t> fan_max_pressure{this, _get_root(), 9, "fan_max_pressure"};
    NV_store::NV_item_array<4, value_t> fan_avg_pressure{this, _get_root(), 10, "fan_avg_pressure"};
    NV_store::NV_item_array<10, value_t> liquid_max_pressure{this, _get_root(), 11, "liquid_max_pressure"};
    NV_store::NV_item_array<10, value_t> liquid_avg_pressure{this, _get_root(), 12, "liquid_avg_pressure"};
};

}
