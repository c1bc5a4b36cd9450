#pragma once
#include <cstdint>

class Screen;

namespace VT {
class Object_pointer_obj;
}

namespace UI {

// What the application tells the library while it sets its screens up. The
// library shows intro first and home once the VT shows the pool; the other
// fields are kept for the application's sake.
struct Setup_config {
    uint16_t terminal_timeout = 0; // seconds
    Screen* intro = nullptr;
    Screen* home = nullptr;
    uint8_t flag_a = 0;
    uint16_t word = 0;
    VT::Object_pointer_obj** pointer_slot = nullptr;
    uint8_t flag_b = 0;
};

}
