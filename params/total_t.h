#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// One total.
class total_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(total_t)

    nv_float total{this, 1, 0.0f, "total"};
};

}
