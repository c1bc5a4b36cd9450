#pragma once
#include <cstdint>

// An operator's soft key or button action as the VT reported it.
struct Soft_key_activation_event {
    // ISO 11783-6 activation codes.
    static constexpr uint8_t released = 0, pressed = 1, held = 2, aborted = 3;
    // ISO 11783-6 functions of the two messages.
    static constexpr uint8_t soft_key = 0, button = 1;

    uint8_t function = soft_key;
    uint16_t object = 0xFFFF; // the key or button
    uint16_t parent = 0xFFFF; // the mask it was pressed on
    uint8_t code = released;
};
