#pragma once
#include "platform/can/Iso11783_Msg_SpeedDist.h"

namespace Iso11783 {
// Wheel-based machine speed and distance, PGN 65096.
class Msg_WheelBasedSpeedDist : public Msg_SpeedDist<65096> {
};
}
