#pragma once
#include "platform/can/Iso11783_Msg_StarDelimited.h"

namespace Iso11783 {
// Product identification, PGN 64653: code, brand and model.
class Msg_ProductIdentification : public Msg_StarDelimited<64653, 6, 0> {
public:
    static constexpr int fields = 3;
    Msg_ProductIdentification() { setup(); }
    void setup() { setup_fields(fields); }
};
}
