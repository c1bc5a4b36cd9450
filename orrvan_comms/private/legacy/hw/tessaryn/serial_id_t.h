#pragma once
#include "orrvan_comms/private/legacy/hw/tessaryn/base_data_t.h"

namespace Tessaryn {

class serial_id_t : public base_data_t {
public:
    void print() const override;

    uint8_t dirty = 1;
    uint8_t id[12] = {};
};

}
