#include "platform/data/Data_item.h"
#include "platform/data/CDS_Remote_Receive_buffer.h"
#include "platform/data/CDS_Remote_Send_buffer.h"

#include <cstdio>

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

bool Data_item::serial_action_started(uint16_t& pos, uint16_t id)
{
    if (pos == 0)
        return true;
    if (pos != id)
        return false;
    pos = 0;
    return true;
}

uint32_t Data_item::number_remote_ids(uint32_t next)
{
    // Numbers past 16 bits are no ids: what has none keeps 0 and is never found.
    remote_id_ = next <= 0xFFFF ? uint16_t(next) : 0;
    ++next;
    for_each_child([&next](Data_item& child) {
        next = child.number_remote_ids(next);
        return true;
    });
    last_remote_id_ = next - 1 <= 0xFFFF ? uint16_t(next - 1) : 0xFFFF;
    return next;
}

void Data_item::set_minmax(uint16_t& lowest, uint16_t& highest) const
{
    if (remote_id_ < lowest)
        lowest = remote_id_;
    if (last_remote_id_ > highest)
        highest = last_remote_id_;
}

Data_item* Data_item::find_data_item(uint16_t id)
{
    if (id == 0 || id < remote_id_ || id > last_remote_id_)
        return nullptr;
    if (id == remote_id_)
        return this;
    Data_item* found = nullptr;
    for_each_child([id, &found](Data_item& child) {
        found = child.find_data_item(id);
        return !found;
    });
    return found;
}

Data_item::Serial_ret Data_item::serialise(CDS::Remote::Send_buffer& buffer, uint16_t& pos) const
{
    bool started = serial_action_started(pos, remote_id_);
    if (!is_structure()) {
        if (!started)
            return serial_ok();
        auto mark = buffer.mark();
        if (encode_value(buffer))
            return serial_ok();
        buffer.rewind(mark);
        return serial_fail(remote_id_);
    }
    Serial_ret result = serial_ok();
    for_each_child([&](Data_item& child) {
        result = child.serialise(buffer, pos);
        return result.ok;
    });
    return result;
}

Data_item::Serial_ret Data_item::deserialise(CDS::Remote::Receive_buffer& buffer, uint16_t& pos)
{
    bool started = serial_action_started(pos, remote_id_);
    if (!is_structure()) {
        if (!started)
            return serial_ok();
        return decode_value(buffer) ? serial_ok() : serial_fail(remote_id_);
    }
    Serial_ret result = serial_ok();
    for_each_child([&](Data_item& child) {
        result = child.deserialise(buffer, pos);
        return result.ok;
    });
    return result;
}

bool Data_item::serialise_structure(CDS::Remote::Send_buffer& buffer, int depth) const
{
    char entry[16];
    // Every structure is described as one, whatever its own type code, so
    // that a peer knows one kind of node with children.
    std::snprintf(entry, sizeof entry, "%x:%x:", unsigned(is_structure() ? get_type_byte(class_single, type_struct)
                                                                         : get_type_byte()),
                  unsigned(remote_id_));
    if (!buffer.append_text(entry) || !buffer.append_text(get_name() ? get_name() : ""))
        return false;
    if (!is_structure() || depth == 0)
        return true;
    const int below = depth == 255 ? 255 : depth - 1;
    if (!buffer.append_text("{"))
        return false;
    bool ok = true, first = true;
    for_each_child([&](Data_item& child) {
        ok = (first || buffer.append_text(",")) && child.serialise_structure(buffer, below);
        first = false;
        return ok;
    });
    return ok && buffer.append_text("}");
}
