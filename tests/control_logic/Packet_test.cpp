#include "control_logic/Packet.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> frame_of(const Packet& p)
{
    return std::vector<uint8_t>(p.bytes, p.bytes + p.bytes[1] + 1);
}

TEST(Packet, a_request_without_data_is_destination_length_source_command_and_sum)
{
    Packet p;
    p.init(50, 7);
    p.finalise();
    EXPECT_EQ(frame_of(p), (std::vector<uint8_t>{50, 0x04, 0x31, 7, uint8_t(50 + 4 + 0x31 + 7)}));
    EXPECT_EQ(p.ascii, 0);
}

TEST(Packet, data_bytes_follow_the_command_and_the_sum_wraps_at_256)
{
    Packet p;
    p.init(71, 200);
    p.add_byte(0xF0);
    p.add_byte(0x0F);
    p.finalise();
    EXPECT_EQ(frame_of(p), (std::vector<uint8_t>{71, 6, 0x31, 200, 0xF0, 0x0F,
                                                 uint8_t((71 + 6 + 0x31 + 200 + 0xF0 + 0x0F) % 256)}));
}

TEST(Packet, a_28th_data_byte_is_ignored_and_the_frame_stays_at_32_bytes)
{
    Packet p;
    p.init(60, 1);
    unsigned sum = 60 + 31 + 0x31 + 1;
    for (int i = 0; i < 27; ++i) {
        p.add_byte(uint8_t(i));
        sum += unsigned(i);
    }
    p.add_byte(0xAA);
    p.finalise();
    EXPECT_EQ(p.count, 27u);
    EXPECT_EQ(p.bytes[1], 31);
    EXPECT_EQ(p.bytes[30], 26);
    EXPECT_EQ(p.bytes[31], uint8_t(sum));
}

TEST(Packet, an_ascii_packet_holds_32_bytes_and_ignores_more)
{
    Packet p;
    p.init(50, 7);
    p.init_ascii();
    EXPECT_EQ(p.ascii, 1);
    EXPECT_EQ(p.count, 0u);
    EXPECT_EQ(p.bytes[0], 0xFF); // the binary header is gone
    for (int i = 0; i < 33; ++i)
        p.add_byte(uint8_t('a' + i % 26));
    EXPECT_EQ(p.count, 32u);
    EXPECT_EQ(p.bytes[31], 'a' + 31 % 26);
}

}
