#pragma once
#include <cstdint>

// The addressing of one J1939 / ISO 11783 message: source and destination
// address, PGN, priority, transport type and length. The length alone decides
// how a message travels (one frame up to 8 bytes, else TP or ETP); the
// transport type is kept for the callers that set it.
class ZEV_header {
public:
    ZEV_header() = default;
    // time_ms: when a received message arrived (process clock); 0 for one to send.
    ZEV_header(uint8_t source, uint8_t destination, uint32_t pgn, uint8_t priority, uint8_t transport_type,
               uint32_t length, int64_t time_ms = 0);

    uint8_t get_source() const { return source_; }
    uint8_t get_destination() const { return destination_; }
    uint32_t get_pgn() const { return pgn_; }
    uint8_t get_priority() const { return priority_; }
    uint8_t get_transport_type() const { return transport_type_; }
    uint32_t get_length() const { return length_; }
    int64_t get_time_ms() const { return time_ms_; }

    void set_source(uint8_t a) { source_ = a; }
    void set_destination(uint8_t a) { destination_ = a; }
    void set_pgn(uint32_t pgn);
    void set_priority(uint8_t p) { priority_ = uint8_t(p & 7); }
    void set_length(uint32_t n) { length_ = n; }

    // PGNs whose PF byte is below 240 are sent to one address, carried in the PS byte.
    static bool is_pdu1(uint32_t pgn) { return ((pgn >> 8) & 0xFF) < 240; }
    // The PGN in 18 bits, the PS byte 0 for a PDU1 PGN (where it is the destination).
    static uint32_t normal_pgn(uint32_t pgn);
    // The 29-bit identifier of the message as one frame; a PDU2 PGN always goes to all.
    uint32_t get_can_id() const;
    // The header of a received frame.
    static ZEV_header from_can_id(uint32_t id, uint32_t length, int64_t time_ms);

    // Equal in everything but the arrival time.
    bool operator==(const ZEV_header& o) const;
    bool operator!=(const ZEV_header& o) const { return !(*this == o); }

private:
    uint8_t source_ = 0;
    uint8_t destination_ = 0;
    uint32_t pgn_ = 0;
    uint8_t priority_ = 6;
    uint8_t transport_type_ = 0;
    uint32_t length_ = 0;
    int64_t time_ms_ = 0;
};
