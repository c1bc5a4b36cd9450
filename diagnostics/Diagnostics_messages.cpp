#include "diagnostics/Diagnostics_messages.h"
#include "platform/io/Binary_message.h"

namespace Diagnostics_messages {

Msg_RR::Msg_RR() : Gril_message(size)
{
    setup("RR", size);
}

uint16_t Msg_RR::get_code(int i) const
{
    return i >= 0 && i < get_count() ? Binary_message::get_uint16_le(data() + 7 + 2 * i) : 0;
}

bool Msg_RR::add_code(uint16_t code)
{
    const int n = get_count();
    if (n == max_codes)
        return false;
    Binary_message::set_uint16_le(data() + 7 + 2 * n, code);
    data()[6] = uint8_t(n + 1);
    return true;
}

Msg_SP::Msg_SP() : Gril_message(size) {}

void Msg_SP::set(uint8_t source, uint16_t oc, uint16_t err, uint32_t seconds, uint8_t quarter_ms)
{
    setup("SP", size);
    uint8_t* p = data();
    p[5] = source;
    Binary_message::set_uint16_le(p + 6, oc);
    Binary_message::set_uint16_le(p + 8, err);
    Binary_message::set_uint32_le(p + 10, seconds);
    p[14] = quarter_ms;
    set_checksum();
}

uint16_t Msg_SP::get_oc() const
{
    return Binary_message::get_uint16_le(data() + 6);
}

uint16_t Msg_SP::get_err() const
{
    return Binary_message::get_uint16_le(data() + 8);
}

uint32_t Msg_SP::get_seconds() const
{
    return Binary_message::get_uint32_le(data() + 10);
}

}
