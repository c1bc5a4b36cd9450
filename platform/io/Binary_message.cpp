#include "platform/io/Binary_message.h"
#include "platform/rtos/Bugger.h"

namespace {
uint64_t get_le(const uint8_t* p, int n)
{
    uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}
uint64_t get_be(const uint8_t* p, int n)
{
    uint64_t v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | p[i];
    return v;
}
void set_le(uint8_t* p, int n, uint64_t v)
{
    for (int i = 0; i < n; ++i, v >>= 8)
        p[i] = uint8_t(v);
}
void set_be(uint8_t* p, int n, uint64_t v)
{
    for (int i = n - 1; i >= 0; --i, v >>= 8)
        p[i] = uint8_t(v);
}
void check_bit_field(unsigned count)
{
    if (count > 64)
        Bugger::report_bug("Binary_message: bit field wider than 64 bits");
}
}

uint16_t Binary_message::get_uint16_le(const uint8_t* p) { return uint16_t(get_le(p, 2)); }
uint32_t Binary_message::get_uint24_le(const uint8_t* p) { return uint32_t(get_le(p, 3)); }
uint32_t Binary_message::get_uint32_le(const uint8_t* p) { return uint32_t(get_le(p, 4)); }
uint64_t Binary_message::get_uint64_le(const uint8_t* p) { return get_le(p, 8); }
uint16_t Binary_message::get_uint16_be(const uint8_t* p) { return uint16_t(get_be(p, 2)); }
uint32_t Binary_message::get_uint24_be(const uint8_t* p) { return uint32_t(get_be(p, 3)); }
uint32_t Binary_message::get_uint32_be(const uint8_t* p) { return uint32_t(get_be(p, 4)); }
uint64_t Binary_message::get_uint64_be(const uint8_t* p) { return get_be(p, 8); }

void Binary_message::set_uint16_le(uint8_t* p, uint16_t v) { set_le(p, 2, v); }
void Binary_message::set_uint24_le(uint8_t* p, uint32_t v) { set_le(p, 3, v); }
void Binary_message::set_uint32_le(uint8_t* p, uint32_t v) { set_le(p, 4, v); }
void Binary_message::set_uint64_le(uint8_t* p, uint64_t v) { set_le(p, 8, v); }
void Binary_message::set_uint16_be(uint8_t* p, uint16_t v) { set_be(p, 2, v); }
void Binary_message::set_uint24_be(uint8_t* p, uint32_t v) { set_be(p, 3, v); }
void Binary_message::set_uint32_be(uint8_t* p, uint32_t v) { set_be(p, 4, v); }
void Binary_message::set_uint64_be(uint8_t* p, uint64_t v) { set_be(p, 8, v); }

uint64_t Binary_message::get_bits_lsb(const uint8_t* p, unsigned first_bit, unsigned count)
{
    check_bit_field(count);
    uint64_t v = 0;
    for (unsigned i = 0; i < count; ++i) {
        unsigned bit = first_bit + i;
        if (p[bit / 8] & (1u << (bit % 8)))
            v |= uint64_t(1) << i;
    }
    return v;
}

void Binary_message::set_bits_lsb(uint8_t* p, unsigned first_bit, unsigned count, uint64_t value)
{
    check_bit_field(count);
    for (unsigned i = 0; i < count; ++i) {
        unsigned bit = first_bit + i;
        uint8_t mask = uint8_t(1u << (bit % 8));
        if ((value >> i) & 1)
            p[bit / 8] |= mask;
        else
            p[bit / 8] &= uint8_t(~mask);
    }
}

void Binary_message::set_bit_msb(uint8_t* byte, bool value, unsigned bit)
{
    if (bit > 7)
        Bugger::report_bug("Binary_message::set_bit_msb: bit outside the byte");
    if (value)
        *byte |= uint8_t(1u << bit);
    else
        *byte &= uint8_t(~(1u << bit));
}
