#pragma once
#include "params/boom_t.h"

namespace NV_quvel {

// The booms and their section settings.
class booms_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(booms_t)

    nv_u8 num_booms{this, 1, 0, "num_booms"};
    NV_store::NV_item_array<6, boom_t> booms{this, _get_root(), 2, "booms"};
    nv_bool section_monitoring{this, 3, false, "section_monitoring"};
    nv_u8 section_monitoring_style{this, 4, 0, "section_monitoring_style"};
    nv_u8 section_control_mode{this, 5, 0, "section_control_mode"};
};

}
