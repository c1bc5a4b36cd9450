#pragma once
#include "params/current_pressure_sensor_t.h"
#include "params/voltage_pressure_sensor_t.h"

namespace NV_quvel {

// One fan.
class fan_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(fan_t)

    nv_bool sense_rpm{this, 1, false, "sense_rpm"};
    nv_float filter_factor_rpm{this, 2, 0.9f, "filter_factor_rpm"};
    nv_bool filter_rpm{this, 3, true, "filter_rpm"};
    nv_u8 encoder{this, 4, 1, "encoder"};
    nv_bool sense_pressure{this, 5, false, "sense_pressure"};
    nv_float filter_factor_pressure{this, 6, 0.9f, "filter_factor_pressure"};
    nv_bool filter_pressure{this, 7, true, "filter_pressure"};
    nv_u8 pressure_gain{this, 8, 1, "pressure_gain"};
    nv_float min_rpm{this, 9, 0.0f, "min_rpm"};
    nv_float max_rpm{this, 10, 0.0f, "max_rpm"};
    nv_float avg_rpm{this, 11, 10.0f, "avg_rpm"};
    nv_float avg_pressure{this, 12, 1.0f, "avg_pressure"};
    nv_bool enabled{this, 13, false, "enabled"};
    nv_bool use_fan_as_pump{this, 14, false, "use_fan_as_pump"};
    nv_u8 pressure_sensor_type{this, 15, 1, "pressure_sensor_type"};
    voltage_pressure_sensor_t voltage_pressure_sensor{this, _get_root(), 16, "voltage_pressure_sensor"};
    current_pressure_sensor_t current_pressure_sensor{this, _get_root(), 17, "current_pressure_sensor"};
};

}
