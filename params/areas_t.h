#pragma once
#include "params/sub_area_t.h"
#include "params/total_t.h"

namespace NV_quvel {

// Area totals: one overall total and ten sub-area totals per channel.
class areas_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(areas_t)

    NV_store::NV_item_array<10, sub_area_t> channel{this, _get_root(), 1, "channel"};
    NV_store::NV_item_array<1, total_t> area{this, _get_root(), 2, "area"};
    nv_u8 sub_area_number{this, 4, 0, "sub_area_number"};
};

}
