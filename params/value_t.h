#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// One history value.
class value_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(value_t)

    nv_float value{this, 1, 0.0f, "value"};
};

}
