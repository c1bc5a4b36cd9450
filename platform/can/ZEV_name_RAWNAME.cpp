#include "platform/can/ZEV_name_RAWNAME.h"
#include "platform/io/Binary_message.h"
#include "platform/rtos/Debug_base.h"

#include <cstring>

namespace ZEV_name {

const RAWNAME RAWNAME::GLOBAL_NAME(~uint64_t(0));

RAWNAME::RAWNAME(uint64_t value)
{
    Binary_message::set_uint64_le(bytes_, value);
}

RAWNAME::RAWNAME(const uint8_t* bytes)
{
    std::memcpy(bytes_, bytes, sizeof bytes_);
}

RAWNAME RAWNAME::from_stored(uint64_t stored)
{
    uint8_t bytes[8];
    for (int i = 0; i < 8; ++i)
        bytes[i] = uint8_t(stored >> (56 - 8 * i));
    return RAWNAME(bytes);
}

uint64_t RAWNAME::to_stored() const
{
    uint64_t stored = 0;
    for (uint8_t byte : bytes_)
        stored = stored << 8 | byte;
    return stored;
}

uint64_t RAWNAME::get_value() const
{
    return Binary_message::get_uint64_le(bytes_);
}

void RAWNAME::field_bits(Field field, unsigned& first, unsigned& count)
{
    static const unsigned table[][2] = {{0, 21}, {21, 11}, {32, 3}, {35, 5}, {40, 8},
                                        {49, 7}, {56, 4},  {60, 3}, {63, 1}};
    first = table[int(field)][0];
    count = table[int(field)][1];
}

uint64_t RAWNAME::field_mask(Field field)
{
    unsigned first, count;
    field_bits(field, first, count);
    return ((uint64_t(1) << count) - 1) << first;
}

uint32_t RAWNAME::get(Field field) const
{
    unsigned first, count;
    field_bits(field, first, count);
    return uint32_t(Binary_message::get_bits_lsb(bytes_, first, count));
}

void RAWNAME::dump() const
{
    Debug_print::dprint("NAME %016llX: identity %u, manufacturer %u, ECU instance %u, function %u instance %u, "
                        "device class %u instance %u, industry group %u, self-configurable %u\n",
                        static_cast<unsigned long long>(get_value()), get(Field::identity_number),
                        get(Field::manufacturer_code), get(Field::ecu_instance), get(Field::function),
                        get(Field::function_instance), get(Field::device_class), get(Field::device_class_instance),
                        get(Field::industry_group), get(Field::self_configurable));
}

}
