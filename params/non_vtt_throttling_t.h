#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// CAN throttling with the non-VT display.
class non_vtt_throttling_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(non_vtt_throttling_t)

    nv_u16 delay_ms{this, 1, 40, "delay_ms"};
    nv_u8 pkts_between_delay{this, 2, 5, "pkts_between_delay"};
};

}
