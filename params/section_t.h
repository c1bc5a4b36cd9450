#pragma once
#include "params/NV_quvel_record.h"

namespace NV_quvel {

// One boom section.
class section_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(section_t)

    nv_double offset_x{this, 1, 0.0, "offset_x"};
    nv_double offset_y{this, 2, 0.0, "offset_y"};
    nv_double offset_z{this, 3, 0.0, "offset_z"};
    nv_double width{this, 4, 0.0, "width"};
    nv_u16 num_nozzles{this, 5, 1, "num_nozzles"};
    nv_double on_time{this, 6, 0.0, "on_time"};
    nv_double off_time{this, 7, 0.0, "off_time"};
};

}
