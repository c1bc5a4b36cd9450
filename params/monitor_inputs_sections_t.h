#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// The boom section of one monitored input.
class monitor_inputs_sections_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(monitor_inputs_sections_t)

    nv_u16 boom_section{this, 1, 0, "boom_section"};
};

}
