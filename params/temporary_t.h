#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// Group "temporary".
class temporary_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(temporary_t)

    nv_u8 num_downforces{this, 5, 0, "num_downforces"};
};

}
