#pragma once
#include "platform/can/ZEV_Transmission.h"
#include "platform/can/ZEV_base_message.h"

namespace Iso11783 {

// A J1939 speed-and-distance message (ground- or wheel-based): 8 bytes to
// all, the speed in bytes 0-1 (unsigned, little-endian, 0.001 m/s).
template <uint32_t PGN>
class Msg_SpeedDist : public ZEV::Transmission_broadcast<ZEV_base_message, PGN, 3> {
public:
    // Above this a J1939 value means "error" or "not available".
    static constexpr uint16_t max_valid_raw = 0xFAFF;

    // Starts filled with 0xFF, so that a short message reads as not available.
    Msg_SpeedDist() : ZEV::Transmission_broadcast<ZEV_base_message, PGN, 3>(8) {}

    uint16_t get_raw_speed() const { return uint16_t(this->data()[0] | this->data()[1] << 8); }
    // In m/s; 0 when the sender has no speed, so that a stale one never drives on.
    float get_speed() const
    {
        const uint16_t raw = get_raw_speed();
        return raw > max_valid_raw ? 0.0f : float(raw * 0.001);
    }
};

}
