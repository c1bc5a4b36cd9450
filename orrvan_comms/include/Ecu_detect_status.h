#pragma once
#include <cstdint>

namespace Next_gen {

// Status of the manager's ECU detection: 1 while one runs, else 0.
using Ecu_detect_status = uint32_t;

}
