#pragma once
#include "platform/can/Iso11783_Iso11783_message.h"

namespace Iso11783 {
// Control function functionalities, PGN 64654: 0xFF, the number of
// functionalities, then each one's code, generation, number of option
// bytes and those bytes.
class Msg_Functionalities : public Iso11783_message<64654, 6> {
public:
    static constexpr size_t capacity = 1024;
    Msg_Functionalities() : Iso11783_message(capacity, 0xFF) {}
    void setup() { clear(); }
};
}
