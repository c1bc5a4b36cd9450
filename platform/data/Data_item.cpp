#include "platform/data/Data_item.h"

namespace {
bool known_type(unsigned t)
{
    return (t >= 1 && t <= 11) || t == 13 || t == 15 || t == 16;
}
}

uint8_t Data_item::get_type_byte(class_type_t class_type, item_type_t type)
{
    return uint8_t((unsigned(class_type) << 6) | (unsigned(type) & 0x3f));
}

bool Data_item::decode_type_byte(uint8_t byte, class_type_t& class_type, item_type_t& type)
{
    unsigned c = byte >> 6, t = byte & 0x3f;
    if (c > class_array || !known_type(t))
        return false;
    class_type = class_type_t(c);
    type = item_type_t(t);
    return true;
}

unsigned Data_item::get_value_size(item_type_t type)
{
    switch (type) {
    case type_bool:
    case type_char:
    case type_uint8:
    case type_int8:
        return 1;
    case type_uint16:
    case type_int16:
        return 2;
    case type_uint32:
    case type_int32:
    case type_float:
        return 4;
    case type_double:
    case type_uint64:
    case type_int64:
        return 8;
    default:
        return 0;
    }
}

int Data_item::_to_string(char*, int) const
{
    return 0;
}

bool Data_item::operator==(const char*) const
{
    return false;
}
