#pragma once
#include "platform/can/Iso11783_Iso11783_message.h"
#include "platform/io/Binary_message.h"

namespace Iso11783 {
// ISOBUS compliance certification, PGN 64834: 8 bytes, by default no
// certification and no laboratory.
class Msg_IsobusComplianceCerts : public Iso11783_message<64834, 6> {
public:
    static constexpr size_t capacity = 8;
    Msg_IsobusComplianceCerts() : Iso11783_message(capacity, 0xFF) { setup(); }

    // Every byte 0, but for bits 1-2 of byte 1 (3) and bit 7 of byte 5.
    void setup()
    {
        clear();
        fill(0);
        Binary_message::set_bits_lsb(data() + 1, 1, 2, 3);
        Binary_message::set_bits_lsb(data() + 5, 7, 1, 1);
    }
};
}
