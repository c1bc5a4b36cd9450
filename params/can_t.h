#pragma once
#include "params/non_vtt_throttling_t.h"
#include "params/vtt_throttling_t.h"

namespace NV_quvel {

// Group "can": CAN throttling for each kind of display.
class can_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(can_t)

    vtt_throttling_t vtt_throttling{this, _get_root(), 1, "vtt_throttling"};
    non_vtt_throttling_t non_vtt_throttling{this, _get_root(), 2, "non_vtt_throttling"};
};

}
