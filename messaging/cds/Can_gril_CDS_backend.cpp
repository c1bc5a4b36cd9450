#include "messaging/cds/Can_gril_CDS_backend.h"
#include "platform/can/ZEV_smart_stack.h"

namespace Can_gril {

CDS_backend::CDS_backend(ZEV_smart_stack* stack, waiter_descriptor* waiter, uint8_t own_address,
                         uint8_t peer_address)
    : header_(own_address, peer_address, pgn, priority, 10, 0), stack_(stack), waiter_(waiter)
{
}

uint8_t* CDS_backend::get_tx_buffer(uint8_t* buffer, int& room)
{
    if (room < prefix)
        return nullptr;
    buffer[0] = marker;
    buffer[1] = marker;
    room -= prefix;
    return buffer + prefix;
}

bool CDS_backend::send(uint8_t* message, int length, bool want_completion, int code)
{
    if (!stack_ || length < 0)
        return false;
    ZEV_header header = header_;
    header.set_length(uint32_t(length + prefix));
    const bool notify = want_completion && waiter_;
    return stack_->write(header, message - prefix, length + prefix, notify ? waiter_ : nullptr, notify ? code : 1) ==
           0;
}

bool CDS_backend::same_peer(const CDS::Remote::Backend& other) const
{
    auto* o = dynamic_cast<const CDS_backend*>(&other);
    return o && o->stack_ == stack_ && o->waiter_ == waiter_ &&
           o->header_.get_destination() == header_.get_destination() && o->header_.get_pgn() == header_.get_pgn() &&
           o->header_.get_priority() == header_.get_priority();
}

std::unique_ptr<CDS::Remote::Backend> CDS_backend::clone() const
{
    return std::make_unique<CDS_backend>(*this);
}

}
