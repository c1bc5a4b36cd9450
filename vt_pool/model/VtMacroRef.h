#pragma once
#include <cstdint>

// An event of an object and the macro it runs.
struct VtMacroRef {
    VtMacroRef(uint8_t event_id, uint8_t macro_id) : event_id(event_id), macro_id(macro_id) {}

    uint8_t event_id;
    uint8_t macro_id;
};
