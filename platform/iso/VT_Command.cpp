#include "platform/iso/VT_Command.h"

#include <cstring>

namespace VT {
namespace Command {

namespace {
void u16(Message& m, uint16_t v)
{
    m.push_back(uint8_t(v));
    m.push_back(uint8_t(v >> 8));
}
void u32(Message& m, uint32_t v)
{
    u16(m, uint16_t(v));
    u16(m, uint16_t(v >> 16));
}
Message padded(Message m)
{
    if (m.size() < 8)
        m.resize(8, 0xFF);
    return m;
}
}

Message hide_show(uint16_t id, bool show)
{
    Message m{hide_show_object};
    u16(m, id);
    m.push_back(show ? 1 : 0);
    return padded(m);
}

Message enable_disable(uint16_t id, bool enable)
{
    Message m{enable_disable_object};
    u16(m, id);
    m.push_back(enable ? 1 : 0);
    return padded(m);
}

Message numeric_value(uint16_t id, uint32_t value)
{
    Message m{change_numeric_value};
    u16(m, id);
    m.push_back(0xFF);
    u32(m, value);
    return m;
}

Message active_mask(uint16_t working_set, uint16_t mask)
{
    Message m{change_active_mask};
    u16(m, working_set);
    u16(m, mask);
    return padded(m);
}

Message soft_key_mask(uint8_t mask_type, uint16_t mask, uint16_t soft_keys)
{
    Message m{change_soft_key_mask, mask_type};
    u16(m, mask);
    u16(m, soft_keys);
    return padded(m);
}

Message attribute(uint16_t id, uint8_t attribute_id, uint32_t value)
{
    Message m{change_attribute};
    u16(m, id);
    m.push_back(attribute_id);
    u32(m, value);
    return m;
}

Message float_attribute(uint16_t id, uint8_t attribute_id, float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return attribute(id, attribute_id, bits);
}

Message list_item(uint16_t list, uint8_t index, uint16_t item)
{
    Message m{change_list_item};
    u16(m, list);
    m.push_back(index);
    u16(m, item);
    return padded(m);
}

Message string_value(uint16_t id, const char* bytes, uint16_t length)
{
    Message m{change_string_value};
    u16(m, id);
    u16(m, length);
    m.insert(m.end(), bytes, bytes + length);
    return padded(m);
}

Message plain(uint8_t function)
{
    return padded({function});
}

Message memory(uint32_t bytes)
{
    Message m{get_memory, 0xFF};
    u32(m, bytes);
    return padded(m);
}

Message version(uint8_t function, const char* label)
{
    Message m{function};
    m.insert(m.end(), label, label + 7);
    return m;
}

Message maintenance(bool initiating, uint8_t version)
{
    return padded({working_set_maintenance, uint8_t(initiating ? 1 : 0), version});
}

}
}
