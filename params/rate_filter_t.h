#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// One rate filter setting of a channel.
class rate_filter_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(rate_filter_t)

    nv_float rate_inhibit_time_setting{this, 1, 0.0f, "rate_inhibit_time_setting"};
    nv_float rate_filter_coefficient{this, 2, 0.0f, "rate_filter_coefficient"};
    nv_float rate_filter_dev_thresh{this, 3, 0.0f, "rate_filter_dev_thresh"};
};

}
