#include "orrvan_comms/private/legacy/hw/tessaryn_can_client/can_2/CAN_packet_interface.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Packet = CAN_packet_interface::Packet;
using Bytes = std::vector<unsigned>;

Bytes bytes_of(const Packet& p)
{
    return Bytes(p.data, p.data + Packet::size);
}

TEST(CAN_packet, starts_with_ff_bytes_no_length_proprietary_a_and_priority_6)
{
    Packet p;
    EXPECT_EQ(bytes_of(p), Bytes(8, 0xFF));
    EXPECT_EQ(p.length, 0);
    EXPECT_EQ(p.PGN, 0xEF00u);
    EXPECT_EQ(p.priority, 6u);
}

TEST(CAN_packet, is_equal_only_in_length_pgn_priority_and_every_byte)
{
    EXPECT_EQ(Packet(), Packet());
    const std::vector<std::function<void(Packet&)>> changes = {
        [](Packet& p) { p.add_data(1); },
        [](Packet& p) { p.data[7] = 0; },
        [](Packet& p) { p.length = 1; },
        [](Packet& p) { p.PGN = 0xCB00; },
        [](Packet& p) { p.priority = 3; },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        Packet changed;
        changes[i](changed);
        EXPECT_NE(changed, Packet()) << "change " << i;
        EXPECT_FALSE(changed == Packet()) << "change " << i;
    }
}

struct Append_case {
    const char* what;
    std::function<void(Packet&)> appends;
    Bytes bytes;
    int length;
};

TEST(CAN_packet, appends_big_endian_while_the_value_fits_and_ignores_the_rest)
{
    const Append_case cases[] = {
        {"nine bytes", [](Packet& p) { for (int i = 0; i < 9; ++i) p.add_data(uint8_t(i + 1)); },
         {1, 2, 3, 4, 5, 6, 7, 8}, 8},
        {"three 4-byte values",
         [](Packet& p) { for (int i = 0; i < 3; ++i) p.add_data_4byte_MSB(0x01020304); },
         {1, 2, 3, 4, 1, 2, 3, 4}, 8},
        {"a 4-byte value after five bytes",
         [](Packet& p) { for (int i = 0; i < 5; ++i) p.add_data(0); p.add_data_4byte_MSB(0x01020304); },
         {0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF}, 5},
        {"2-byte values at 6 and at 7",
         [](Packet& p) { for (int i = 0; i < 6; ++i) p.add_data(0); p.add_data_2byte_MSB(0xA1B2); p.add_data_2byte_MSB(0xC3D4); },
         {0, 0, 0, 0, 0, 0, 0xA1, 0xB2}, 8},
        {"a 2-byte value at 7",
         [](Packet& p) { for (int i = 0; i < 7; ++i) p.add_data(0); p.add_data_2byte_MSB(0xA1B2); },
         {0, 0, 0, 0, 0, 0, 0, 0xFF}, 7},
        {"a 3-byte value keeps bits 23..0",
         [](Packet& p) { p.add_data_3byte_MSB(0xAABBCCDD); },
         {0xBB, 0xCC, 0xDD, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 3},
        {"3-byte values at 5 and at 6",
         [](Packet& p) { for (int i = 0; i < 5; ++i) p.add_data(0); p.add_data_3byte_MSB(0x010203); p.add_data_3byte_MSB(0x040506); },
         {0, 0, 0, 0, 0, 1, 2, 3}, 8},
        {"a 3-byte value at 6",
         [](Packet& p) { for (int i = 0; i < 6; ++i) p.add_data(0); p.add_data_3byte_MSB(0x010203); },
         {0, 0, 0, 0, 0, 0, 0xFF, 0xFF}, 6},
    };
    for (const Append_case& c : cases) {
        Packet p;
        c.appends(p);
        EXPECT_EQ(bytes_of(p), c.bytes) << c.what;
        EXPECT_EQ(p.length, c.length) << c.what;
    }
}

TEST(CAN_packet, reads_values_and_gives_0_for_any_read_past_byte_7)
{
    Packet p;
    for (int i = 1; i <= 8; ++i)
        p.add_data(uint8_t(i));
    struct Read_case {
        const char* what;
        unsigned value, expected;
    };
    const Read_case cases[] = {
        {"2 MSB at 0", p.get_2byte_MSB(0), 0x0102},
        {"2 MSB at 6", p.get_2byte_MSB(6), 0x0708},
        {"2 MSB at 7", p.get_2byte_MSB(7), 0},
        {"3 MSB at 5", p.get_3byte_MSB(5), 0x060708},
        {"3 MSB at 6", p.get_3byte_MSB(6), 0},
        {"4 MSB at 0", p.get_4byte_MSB(0), 0x01020304},
        {"4 MSB at 4", p.get_4byte_MSB(4), 0x05060708},
        {"4 MSB at 5", p.get_4byte_MSB(5), 0},
        {"2 LSB at 0", p.get_2byte_LSB(0), 0x0201},
        {"2 LSB at 6", p.get_2byte_LSB(6), 0x0807},
        {"2 LSB at 7", p.get_2byte_LSB(7), 0},
        {"byte 7", p[7], 8},
        {"byte 8", p[8], 0},
        {"a huge index", p.get_4byte_MSB(0xFFFFFFFEu), 0},
    };
    for (const Read_case& c : cases)
        EXPECT_EQ(c.value, c.expected) << c.what;
}

TEST(CAN_packet, prints_pgn_length_and_all_eight_bytes_on_the_debug_output)
{
    Debug_capture capture;
    Packet p;
    p.add_data(0x01);
    p.add_data(0xAB);
    CAN_packet_interface::print(p);
    EXPECT_EQ(capture.text(), "PGN: 61184 LEN: 2 DATA: 01 AB FF FF FF FF FF FF \n");
}

}
