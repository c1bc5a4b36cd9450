#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// One product that a tank can carry.
class products_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(products_t)

    nv_float preset_rate_1{this, 1, 0.0f, "preset_rate_1"};
    nv_float preset_rate_2{this, 2, 0.0f, "preset_rate_2"};
    nv_name name{this, 3, "name"};
    nv_float density{this, 4, 0.0f, "density"};
    nv_float product_cal_factor{this, 5, 0.0f, "product_cal_factor"};
    nv_u8 tank{this, 6, 10, "tank"};
    nv_float inc_dec{this, 7, 0.0f, "inc_dec"};
};

}
