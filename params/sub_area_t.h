#pragma once
#include "params/total_t.h"

namespace NV_quvel {

// The ten sub-totals of one channel.
class sub_area_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(sub_area_t)

    NV_store::NV_item_array<10, total_t> sub_area{this, _get_root(), 1, "sub_area"};
};

}
