#pragma once
#include "platform/can/ZEV_Transmission.h"
#include "platform/can/ZEV_base_message.h"

namespace NMEA2000 {

// NMEA 2000 COG and SOG, rapid update (PGN 129026): 8 bytes to all, the
// speed over ground in bytes 4-5 (unsigned, little-endian, 0.01 m/s).
class Msg_NMEACogSogData : public ZEV::Transmission_broadcast<ZEV_base_message, 129026, 2> {
public:
    // Above this an NMEA 2000 value means "reserved", "error" or "not available".
    static constexpr uint16_t max_valid_raw = 0xFFFC;

    // Starts filled with 0xFF, so that a short message reads as not available.
    Msg_NMEACogSogData() : Transmission_broadcast(8) {}

    uint16_t get_raw_sog() const { return uint16_t(data()[4] | data()[5] << 8); }
    // In m/s; 0 when the sender has no speed, so that a stale one never drives on.
    float get_sog() const
    {
        const uint16_t raw = get_raw_sog();
        return raw > max_valid_raw ? 0.0f : float(raw * 0.01);
    }
};

}
