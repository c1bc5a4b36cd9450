#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// Group "system": display, Task Controller and address settings.
class system_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(system_t)

    nv_bool non_vtt_connected{this, 1, false, "non_vtt_connected"};
    nv_u16 terminal_timeout{this, 2, 60, "terminal_timeout"};
    nv_bool tc_enabled{this, 3, false, "tc_enabled"};
    nv_u64 specific_vt_name{this, 4, 0xFFFFFFFFFFFFFE7Full, "specific_vt_name"};
    nv_u8 app_preferred_address{this, 6, 0x90, "app_preferred_address"};
    nv_u8 master_preferred_address{this, 7, 0xA0, "master_preferred_address"};
    nv_u64 specific_tc_name{this, 8, 0xFFFFFFFFFFFFFE7Full, "specific_tc_name"};
    nv_u16 specific_tc_timeout{this, 9, 60, "specific_tc_timeout"};
    nv_u32 config_hash{this, 10, 0, "config_hash"};
};

}
