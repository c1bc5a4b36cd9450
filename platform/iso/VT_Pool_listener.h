#pragma once
#include <cstdint>
#include <string>

namespace VT {

// Hears what the Virtual Terminal client learns, on the client's task with
// the pool lock free.
class Pool_listener {
public:
    // One operator action on the VT, already applied to the pool's object.
    struct Activation {
        uint8_t function = 0;   // Soft Key or Button Activation, VT Change Numeric or String Value
        uint16_t object = 0;
        uint16_t parent = 0xFFFF; // the key's or button's mask
        uint8_t code = 0;       // 0 released, 1 pressed, 2 held, 3 aborted
        uint32_t value = 0;     // the new number
        std::string text;       // the new string, as the VT sent it
    };

    // The unit system the VT's operator chose for numbers, from the VT's
    // Language command.
    enum class Units_system : uint8_t { metric = 0, imperial = 1, us = 2 };

    virtual ~Pool_listener() = default;
    virtual void handle_activation(const Activation& activation) = 0;
    // The VT shows the pool; its NAME in the form the parameters keep.
    virtual void handle_pool_uploaded(uint64_t vt_name) = 0;
    virtual void handle_terminal_alive(bool alive) = 0;
    virtual void handle_units_system(Units_system system) = 0;
};

}
