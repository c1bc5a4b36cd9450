#include "platform/can/ZEV_name_NAME.h"
#include "platform/io/Binary_message.h"

namespace ZEV_name {

NAME::~NAME() = default;

void NAME::set(Field field, uint32_t value)
{
    unsigned first, count;
    field_bits(field, first, count);
    Binary_message::set_bits_lsb(get_bytes(), first, count, value);
    match_mask_ |= field_mask(field);
}

}
