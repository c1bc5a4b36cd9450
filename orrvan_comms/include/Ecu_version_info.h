#pragma once
#include <cstdint>

namespace Next_gen {

// The version a slave ECU reports, in the order of its six bytes.
struct Ecu_version_info {
    uint8_t ecu_type = 0;
    uint8_t ecu_series = 0; // hardware revision
    uint8_t ecu_firmware_type = 0;
    uint8_t major = 0;
    uint8_t minor = 0;
    uint8_t patch = 0;
};

}
