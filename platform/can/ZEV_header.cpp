#include "platform/can/ZEV_header.h"
#include "platform/can/ZEV_trans.h"

ZEV_header::ZEV_header(uint8_t source, uint8_t destination, uint32_t pgn, uint8_t priority, uint8_t transport_type,
                       uint32_t length, int64_t time_ms)
    : source_(source), destination_(destination), transport_type_(transport_type), length_(length), time_ms_(time_ms)
{
    set_pgn(pgn);
    set_priority(priority);
}

uint32_t ZEV_header::normal_pgn(uint32_t pgn)
{
    pgn &= 0x3FFFF;
    return is_pdu1(pgn) ? pgn & 0x3FF00 : pgn;
}

void ZEV_header::set_pgn(uint32_t pgn)
{
    pgn_ = normal_pgn(pgn);
}

uint32_t ZEV_header::get_can_id() const
{
    uint32_t ps = is_pdu1(pgn_) ? destination_ : (pgn_ & 0xFF);
    return (uint32_t(priority_) << 26) | ((pgn_ & 0x3FF00) << 8) | (ps << 8) | source_;
}

ZEV_header ZEV_header::from_can_id(uint32_t id, uint32_t length, int64_t time_ms)
{
    uint32_t pgn = (id >> 8) & 0x3FFFF;
    uint8_t destination = is_pdu1(pgn) ? uint8_t(pgn & 0xFF) : ZEV_trans::ADDR_BROADCAST;
    return ZEV_header(uint8_t(id & 0xFF), destination, pgn, uint8_t((id >> 26) & 7), 0, length, time_ms);
}

bool ZEV_header::operator==(const ZEV_header& o) const
{
    return source_ == o.source_ && destination_ == o.destination_ && pgn_ == o.pgn_ && priority_ == o.priority_ &&
           transport_type_ == o.transport_type_ && length_ == o.length_;
}
