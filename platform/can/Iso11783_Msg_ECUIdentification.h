#pragma once
#include "platform/can/Iso11783_Msg_StarDelimited.h"

namespace Iso11783 {
// ECU identification, PGN 64965: part number, serial number, location,
// type, manufacturer name and hardware id.
class Msg_ECUIdentification : public Msg_StarDelimited<64965, 6, 0> {
public:
    static constexpr int fields = 6;
    Msg_ECUIdentification() { setup(); }
    void setup() { setup_fields(fields); }
};
}
