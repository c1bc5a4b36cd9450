#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// A fan pressure sensor with a voltage output.
class voltage_pressure_sensor_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(voltage_pressure_sensor_t)

    nv_float max_pressure{this, 1, 0.0f, "max_pressure"};
    nv_float min_voltage{this, 2, 0.0f, "min_voltage"};
    nv_float max_voltage{this, 3, 0.0f, "max_voltage"};
};

}
