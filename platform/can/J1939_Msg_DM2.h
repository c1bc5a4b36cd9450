#pragma once
#include "platform/can/J1939_Msg_DM1DM2.h"

namespace J1939 {
// DM2, the previously active diagnostic trouble codes, PGN 65227.
class Msg_DM2 : public Msg_DM1DM2<65227> {
};
}
