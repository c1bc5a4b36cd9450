#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// One switch-box mapping entry (channel -1: none).
class swbox_mapping_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(swbox_mapping_t)

    nv_i8 channel{this, 1, -1, "channel"};
};

}
