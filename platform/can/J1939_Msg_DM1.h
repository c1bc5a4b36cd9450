#pragma once
#include "platform/can/J1939_Msg_DM1DM2.h"

namespace J1939 {
// DM1, the active diagnostic trouble codes, PGN 65226.
class Msg_DM1 : public Msg_DM1DM2<65226> {
};
}
