#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// One monitor input.
class monitor_inputs_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(monitor_inputs_t)

    nv_u8 mask{this, 1, 0xFF, "mask"};
};

}
