#include "platform/io/Binary_message.h"
#include "platform/io/Util.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const uint8_t bytes[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef};

TEST(Binary_message, reads_fields_in_both_byte_orders)
{
    EXPECT_EQ(Binary_message::get_uint16_le(bytes), 0x2301u);
    EXPECT_EQ(Binary_message::get_uint24_le(bytes), 0x452301u);
    EXPECT_EQ(Binary_message::get_uint32_le(bytes), 0x67452301u);
    EXPECT_EQ(Binary_message::get_uint64_le(bytes), 0xefcdab8967452301ull);
    EXPECT_EQ(Binary_message::get_uint16_be(bytes), 0x0123u);
    EXPECT_EQ(Binary_message::get_uint24_be(bytes), 0x012345u);
    EXPECT_EQ(Binary_message::get_uint32_be(bytes), 0x01234567u);
    EXPECT_EQ(Binary_message::get_uint64_be(bytes), 0x0123456789abcdefull);
}

TEST(Binary_message, writes_fields_in_both_byte_orders)
{
    uint8_t buf[8] = {};
    Binary_message::set_uint64_le(buf, 0xefcdab8967452301ull);
    EXPECT_EQ(std::memcmp(buf, bytes, 8), 0);
    std::memset(buf, 0, 8);
    Binary_message::set_uint64_be(buf, 0x0123456789abcdefull);
    EXPECT_EQ(std::memcmp(buf, bytes, 8), 0);
    std::memset(buf, 0xff, 8);
    Binary_message::set_uint16_le(buf, 0x2301);
    Binary_message::set_uint24_be(buf + 2, 0x456789);
    Binary_message::set_uint24_le(buf + 5, 0xefcdab);
    const uint8_t expected[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef};
    EXPECT_EQ(std::memcmp(buf, expected, 8), 0);
}

TEST(Binary_message, a_bit_field_writes_only_its_bits)
{
    // The identity number of an ISO NAME: its lowest 21 bits.
    uint8_t name[8];
    std::memset(name, 0xff, 8);
    Binary_message::set_bits_lsb(name, 0, 21, 0x12345);
    EXPECT_EQ(Binary_message::get_bits_lsb(name, 0, 21), 0x12345u);
    EXPECT_EQ(Binary_message::get_uint64_le(name), 0xffffffffffe12345ull);
    Binary_message::set_bits_lsb(name, 60, 4, 0x3);
    EXPECT_EQ(name[7], 0x3f);
}

TEST(Binary_message, option_bits_count_from_the_least_significant_bit)
{
    uint8_t byte = 0;
    for (unsigned bit : {0u, 1u, 2u, 4u})
        Binary_message::set_bit_msb(&byte, true, bit);
    Binary_message::set_bit_msb(&byte, false, 3);
    EXPECT_EQ(byte, 0x17);
}

TEST(Util, crc32_is_the_ieee_checksum_and_continues_over_pieces)
{
    const char* text = "123456789";
    EXPECT_EQ(Util::crc32(0, text, 9), 0xcbf43926u);
    EXPECT_EQ(Util::crc32(Util::crc32(0, text, 4), text + 4, 5), 0xcbf43926u);
    EXPECT_EQ(Util::crc32(0, text, 0), 0u);
}

}
