#pragma once
#include "params/monitor_ecu_t.h"
#include "params/monitor_inputs_sections_t.h"
#include "params/monitor_inputs_t.h"

namespace NV_quvel {

// Blocked-head and section monitoring settings.
class monitor_ecus_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(monitor_ecus_t)

    nv_u8 monitoring_config{this, 1, 0, "monitoring_config"};
    NV_store::NV_item_array<5, monitor_ecu_t> monitor_ecus{this, _get_root(), 2, "monitor_ecus"};
    NV_store::NV_item_array<20, monitor_inputs_t> monitor_inputs{this, _get_root(), 3, "monitor_inputs"};
    nv_u8 monitoring_mode{this, 4, 0, "monitoring_mode"};
    nv_u8 blockage_sensor_type{this, 5, 0, "blockage_sensor_type"};
    NV_store::NV_item_array<160, monitor_inputs_sections_t> monitor_inputs_sections{this, _get_root(), 6, "monitor_inputs_sections"};
    nv_bool double_shooting{this, 7, false, "double_shooting"};
    nv_u8 head_systems_enabled{this, 8, 0, "head_systems_enabled"};
    nv_u8 num_sensors{this, 9, 0, "num_sensors"};
    nv_u8 first_fert_sensor{this, 10, 0, "first_fert_sensor"};
};

}
