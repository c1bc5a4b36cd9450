#pragma once
#include <cstdint>

// Field access on message byte buffers: little- and big-endian integers and
// bit fields. The caller owns the buffer and its bounds.
class Binary_message {
public:
    static uint16_t get_uint16_le(const uint8_t* p);
    static uint32_t get_uint24_le(const uint8_t* p);
    static uint32_t get_uint32_le(const uint8_t* p);
    static uint64_t get_uint64_le(const uint8_t* p);
    static uint16_t get_uint16_be(const uint8_t* p);
    static uint32_t get_uint24_be(const uint8_t* p);
    static uint32_t get_uint32_be(const uint8_t* p);
    static uint64_t get_uint64_be(const uint8_t* p);

    static void set_uint16_le(uint8_t* p, uint16_t v);
    static void set_uint24_le(uint8_t* p, uint32_t v);
    static void set_uint32_le(uint8_t* p, uint32_t v);
    static void set_uint64_le(uint8_t* p, uint64_t v);
    static void set_uint16_be(uint8_t* p, uint16_t v);
    static void set_uint24_be(uint8_t* p, uint32_t v);
    static void set_uint32_be(uint8_t* p, uint32_t v);
    static void set_uint64_be(uint8_t* p, uint64_t v);

    // A field of count bits (at most 64) starting at bit first_bit of a
    // little-endian buffer: bit 0 is the least significant bit of byte 0.
    static uint64_t get_bits_lsb(const uint8_t* p, unsigned first_bit, unsigned count);
    static void set_bits_lsb(uint8_t* p, unsigned first_bit, unsigned count, uint64_t value);

    // One flag of a byte, bit 0 being the byte's least significant bit, as
    // ISO 11783 numbers its option bits.
    static void set_bit_msb(uint8_t* byte, bool value, unsigned bit);
};
