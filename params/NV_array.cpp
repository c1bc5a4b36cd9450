#include "params/NV_array.h"
#include "platform/data/CDS_Remote_Receive_buffer.h"
#include "platform/data/CDS_Remote_Send_buffer.h"
#include "platform/data/Data_item_text.h"
#include "platform/data/NV_iterator.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace NV_store {

using Name_item = NV_array<char, Data_item::type_char, unsigned char, 20>;

namespace {
int clamp_count(int count)
{
    return count >= 0 && count < Name_item::length ? count : Name_item::length;
}
}

Name_item::NV_array(NV_container* parent, unsigned short id, const char* name)
    : NV_item(parent, id, name)
{
}

char Name_item::at(int index) const
{
    std::lock_guard<const NV_item> guard(*this);
    return elements_[unsigned(index) < unsigned(length) ? index : 0];
}

int Name_item::get(char* dst, int count) const
{
    int n = clamp_count(count);
    std::lock_guard<const NV_item> guard(*this);
    std::memcpy(dst, elements_, size_t(n));
    return n;
}

bool Name_item::copy_to(char* dst, int max) const
{
    if (max <= 0)
        return false;
    std::lock_guard<const NV_item> guard(*this);
    return get(dst, std::min(max, int(length))) != 0;
}

bool Name_item::store(const char* chars, int count, notify_t mode)
{
    std::lock_guard<const NV_item> guard(*this);
    bool changed = std::memcmp(elements_, chars, size_t(count)) != 0;
    std::memcpy(elements_, chars, size_t(count));
    notify_updated(changed, mode);
    return changed;
}

int Name_item::set(const char* src, int count)
{
    int n = clamp_count(count);
    store(src, n, notify_locked);
    return n;
}

bool Name_item::set(int index, char value)
{
    if (unsigned(index) >= unsigned(length))
        return false;
    std::lock_guard<const NV_item> guard(*this);
    bool changed = elements_[index] != value;
    elements_[index] = value;
    notify_updated(changed, notify_locked);
    return true;
}

bool Name_item::set_default(bool flag)
{
    if (flag) {
        std::lock_guard<const NV_item> guard(*this);
        std::fill(elements_, elements_ + length, default_element_);
    }
    return true;
}

bool Name_item::serialise(NV_iterator* it) const
{
    char chars[length];
    get(chars, length);
    if (!it->push_header(get_type_byte(), form_counted, get_id()) || !it->push_uint8(length))
        return false;
    for (char c : chars)
        if (!it->push_char(c))
            return false;
    return true;
}

bool Name_item::deserialise(NV_iterator* it)
{
    uint8_t count;
    if (!it->pop_header_of(*this) || !it->pop_uint8(count))
        return false;
    if (count != length)
        Debug_print::dprint("Problem with size of NV_array\n");
    // Read all first: a record cut short changes nothing.
    char chars[length];
    for (int i = 0; i < count; ++i) {
        char c;
        if (!it->pop_char(c))
            return false;
        if (i < length)
            chars[i] = c;
    }
    std::lock_guard<const NV_item> guard(*this);
    std::memcpy(elements_, chars, std::min<size_t>(count, length));
    return true;
}

const char* Name_item::_from_string(const char* text)
{
    // The parser keeps room for a terminator, which this field does without:
    // one byte more lets a text of all 20 characters in.
    char chars[length + 1] = {};
    const char* end = Data_item_array_destringify<char>::from_string(text, chars, length + 1);
    if (end)
        store(chars, length, notify_locked);
    return end;
}

void Name_item::_print(Debug::Dumper& dumper, const char* name) const
{
    char chars[length];
    get(chars, length);
    Data_item_array_stringify<char>::print(name, chars, length, dumper);
}

bool Name_item::assign_from(const NV_item& other, notify_t)
{
    char chars[length];
    static_cast<const Name_item&>(other).get(chars, length);
    return store(chars, length, notify_field);
}

}

namespace NV_store {

bool Name_item::encode_value(CDS::Remote::Send_buffer& buffer) const
{
    char chars[length];
    get(chars, length);
    if (!buffer.append(uint8_t(length)))
        return false;
    for (char c : chars)
        if (!buffer.append(c))
            return false;
    return true;
}

bool Name_item::decode_value(CDS::Remote::Receive_buffer& buffer)
{
    uint8_t count;
    if (!buffer.pop(count))
        return false;
    // Read all first: a value cut short changes nothing.
    char chars[length];
    for (int i = 0; i < count; ++i) {
        char c;
        if (!buffer.pop(c))
            return false;
        if (i < length)
            chars[i] = c;
    }
    store(chars, std::min<int>(count, length), notify_locked);
    return true;
}

}
