#pragma once
#include "params/offset_t.h"
#include "params/section_t.h"

namespace NV_quvel {

// One boom with its ten sections, built whatever num_sections holds.
class boom_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(boom_t)

    nv_u8 num_sections{this, 1, 0, "num_sections"};
    NV_store::NV_item_array<10, section_t> sections{this, _get_root(), 2, "sections"};
    nv_u8 type{this, 5, 0, "type"};
    offset_t offset{this, _get_root(), 9, "offset"};
    nv_double on_time{this, 10, 0.0, "on_time"};
    nv_double off_time{this, 11, 0.0, "off_time"};
    nv_float working_length{this, 12, 0.0f, "working_length"};
};

}
