#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// One regulating-valve controller setting of a channel.
class rvalve_controller_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(rvalve_controller_t)

    nv_u8 speed{this, 1, 0, "speed"};
    nv_u8 max_on_time{this, 2, 0, "max_on_time"};
    nv_u8 min_on_time{this, 3, 0, "min_on_time"};
    nv_u8 gain{this, 4, 0, "gain"};
};

}
