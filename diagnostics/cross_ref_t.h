#pragma once
#include <cstdint>

// The definition of one fault entry, kept in a table of the subclass that
// defines entries.
struct cross_ref_t {
    uint32_t src;            // source address; the fault files keep its low 8 bits
    uint32_t fmi;            // failure mode identifier, low 5 bits used
    uint16_t err;            // the source's error code
    uint32_t spn;            // suspect parameter number, low 19 bits used
    const char* description;
};
