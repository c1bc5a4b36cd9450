#pragma once
#include "platform/can/Iso11783_Iso11783_message.h"

namespace Iso11783 {
// Diagnostic protocol identification, PGN 64818: 8 bytes, byte 0 the
// protocols supported, the rest 0xFF.
class Msg_DiagnosticProtocol : public Iso11783_message<64818, 6> {
public:
    static constexpr size_t capacity = 8;
    Msg_DiagnosticProtocol() : Iso11783_message(capacity, 0xFF) {}
    void setup() { clear(); }
};
}
