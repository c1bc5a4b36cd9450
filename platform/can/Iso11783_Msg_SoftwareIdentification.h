#pragma once
#include "platform/can/Iso11783_Msg_StarDelimited.h"

namespace Iso11783 {
// Software identification, PGN 65242: byte 0 the number of fields, then
// one field per software item.
class Msg_SoftwareIdentification : public Msg_StarDelimited<65242, 6, 1> {
public:
    static constexpr int fields = 1024;
    Msg_SoftwareIdentification() { setup(); }
    void setup() { setup_fields(fields); }
};
}
