#pragma once
#include "orrvan_comms/private/legacy/hw/tessaryn/base_data_t.h"

namespace Tessaryn {

class identity_t : public base_data_t {
public:
    void print() const override;

    uint8_t dirty = 1;
    // The slave processor's 21-bit identity number; -1 until received.
    int32_t id = -1;
};

}
