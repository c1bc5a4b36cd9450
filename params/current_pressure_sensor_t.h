#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// A fan pressure sensor with a current output.
class current_pressure_sensor_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(current_pressure_sensor_t)

    nv_float max_pressure{this, 1, 0.0f, "max_pressure"};
};

}
