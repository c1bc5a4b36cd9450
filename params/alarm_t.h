#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// One alarm's settings.
class alarm_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(alarm_t)

    nv_bool enabled{this, 1, false, "enabled"};
    nv_float threshold{this, 2, 0.0f, "threshold"};
    nv_u8 delay_count{this, 3, 0, "delay_count"};
    nv_u8 limit_count{this, 4, 0, "limit_count"};
};

}
