#pragma once
#include "params/sub_area_t.h"
#include "params/total_t.h"

namespace NV_quvel {

// Volume totals: one overall total and ten sub-totals per channel.
class volumes_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(volumes_t)

    NV_store::NV_item_array<10, sub_area_t> channel{this, _get_root(), 1, "channel"};
    NV_store::NV_item_array<1, total_t> volume{this, _get_root(), 2, "volume"};
};

}
