#pragma once
#include "params/offset_t.h"

namespace NV_quvel {

// The machine's overall geometry.
class machine_geometry_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(machine_geometry_t)

    offset_t connector_offset{this, _get_root(), 1, "connector_offset"};
    nv_u8 geom_type{this, 2, 0, "geom_type"};
    nv_float cart_rear{this, 4, 0.0f, "cart_rear"};
    nv_float cart_front{this, 5, 1.0f, "cart_front"};
};

}
