#pragma once
#include <cstdint>

namespace Next_gen {

// Status of a slave ECU: 0 until it has completed its configuration
// handshake, 1 while it runs.
using Ecu_status = uint32_t;

}
