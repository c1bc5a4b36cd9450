#pragma once
#include "orrvan_comms/private/legacy/hw/tessaryn/base_data_t.h"

namespace Tessaryn {

class version_t : public base_data_t {
public:
    void print() const override;

    uint8_t dirty = 1;
    uint8_t ecu_type = 0;
    uint8_t ecu_series = 0;
    uint8_t ecu_firmware_type = 0;
    uint8_t major = 0;
    uint8_t minor = 0;
    uint8_t patch = 0;
};

}
