#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// CAN throttling with a Virtual Terminal.
class vtt_throttling_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(vtt_throttling_t)

    nv_u16 delay_ms{this, 1, 0, "delay_ms"};
    nv_u8 pkts_between_delay{this, 2, 0, "pkts_between_delay"};
};

}
