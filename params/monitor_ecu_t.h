#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// One monitor ECU.
class monitor_ecu_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(monitor_ecu_t)

    nv_bool enabled{this, 1, false, "enabled"};
};

}
