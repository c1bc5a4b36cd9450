#pragma once
#include <cstdint>

namespace VT {

// One entry of an object's macro list: the event and the Macro object run on it.
class Attribute_event_macro {
public:
    Attribute_event_macro() = default;
    Attribute_event_macro(uint8_t event, uint8_t macro) : event_(event), macro_(macro) {}

    uint8_t get_event() const { return event_; }
    uint8_t get_macro() const { return macro_; }

private:
    uint8_t event_ = 0;
    uint8_t macro_ = 0;
};

}
