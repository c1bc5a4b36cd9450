#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// A two-coordinate offset.
class offset_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(offset_t)

    nv_float x{this, 1, 0.0f, "x"};
    nv_float y{this, 2, 0.0f, "y"};
};

}
