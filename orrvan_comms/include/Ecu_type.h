#pragma once
#include <cstdint>

namespace Next_gen {

// Model code of a slave ECU as its version reports it: 1 to 8 name the known
// models, 0 is an ECU whose model is not known yet.
using Ecu_type = uint32_t;

}
