#pragma once
#include <cstdint>

namespace VT {

// One use of a named colour: the object and which of its colour attributes
// (by ISO 11783-6 attribute ID) takes it.
struct Named_colour_entry {
    uint16_t object_id = 65535;
    uint8_t attribute = 0;
};

}
