#pragma once
#include "platform/can/Iso11783_Msg_SpeedDist.h"

namespace Iso11783 {
// Ground-based machine speed and distance (radar or GNSS), PGN 65097.
class Msg_GroundBasedSpeedDist : public Msg_SpeedDist<65097> {
};
}
