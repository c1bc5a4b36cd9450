#pragma once
#include "orrvan_comms/private/legacy/hw/tessaryn/base_data_t.h"

namespace Tessaryn {

class temperature_t : public base_data_t {
public:
    void print() const override;

    uint8_t dirty = 1;
    float value = 0.0f;
};

}
