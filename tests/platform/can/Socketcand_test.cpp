#include "platform/can/Socketcand_reader.h"
#include "platform/can/Socketcand_text.h"

#include <gtest/gtest.h>

namespace {

std::vector<Socketcand_reader::Item> read_all(Socketcand_reader& reader)
{
    std::vector<Socketcand_reader::Item> out;
    Socketcand_reader::Item item;
    while (reader.next(item))
        out.push_back(item);
    return out;
}

TEST(Socketcand_reader, messages_come_whole_from_one_read_or_split_over_many)
{
    const std::string stream = "< hi >< ok >< frame 18EF0102 12.000001 0102 >";
    for (size_t chunk = 1; chunk <= stream.size(); ++chunk) {
        Socketcand_reader reader;
        std::vector<std::string> got;
        for (size_t at = 0; at < stream.size(); at += chunk) {
            std::string part = stream.substr(at, chunk);
            reader.feed(part.data(), part.size());
            for (auto& item : read_all(reader)) {
                EXPECT_FALSE(item.bad) << item.text;
                got.push_back(item.text);
            }
        }
        EXPECT_EQ(got, (std::vector<std::string>{"< hi >", "< ok >", "< frame 18EF0102 12.000001 0102 >"}))
            << "chunks of " << chunk;
    }
}

TEST(Socketcand_reader, bad_input_is_reported_or_skipped_and_the_next_message_still_reads)
{
    struct Case {
        std::string input;
        bool reported;
    };
    const std::vector<Case> cases = {
        {"junk between messages", false},
        {"< send" + std::string(200, ' ') + "1 >", true},
        {"< send \x01\x02 >", true},
        {"< send 123 1 ", true}, // cut off by the next message
    };
    for (const Case& c : cases) {
        Socketcand_reader reader;
        std::string input = c.input + "< echo >";
        reader.feed(input.data(), input.size());
        auto items = read_all(reader);
        ASSERT_FALSE(items.empty()) << c.input;
        EXPECT_EQ(items.back().text, "< echo >") << c.input;
        EXPECT_FALSE(items.back().bad);
        EXPECT_EQ(items.size(), c.reported ? 2u : 1u) << c.input;
        EXPECT_TRUE(items[0].bad || !c.reported);
    }
}

TEST(Socketcand_text, frames_are_written_as_socketcand_writes_them)
{
    Can_frame f;
    f.id = 0x18EF0102;
    f.dlc = 3;
    f.data[0] = 0x0A;
    f.data[1] = 0xFF;
    f.data[2] = 0x00;
    EXPECT_EQ(Socketcand_text::format_send(f), "< send 18EF0102 3 0A FF 00 >");
    EXPECT_EQ(Socketcand_text::format_frame(f, 1700000000, 42), "< frame 18EF0102 1700000000.000042 0AFF00 >");
    Can_frame s;
    s.extended = false;
    s.id = 0x123;
    EXPECT_EQ(Socketcand_text::format_send(s), "< send 123 0 >");
    EXPECT_EQ(Socketcand_text::format_frame(s, 1, 0), "< frame 123 1.000000  >");
}

TEST(Socketcand_text, send_messages_parse_or_say_what_is_wrong)
{
    struct Case {
        std::string message;
        bool ok;
        uint32_t id;
        bool extended;
        uint8_t dlc;
    };
    const std::vector<Case> cases = {
        {"< send 18EF0102 3 a ff 0 >", true, 0x18EF0102, true, 3},
        {"< send CF004FE 0 >", true, 0x0CF004FE, true, 0}, // not padded: still 29-bit
        {"< send 7FF 1 1 >", true, 0x7FF, false, 1},
        {"< send 800 1 1 >", false, 0, false, 0},      // over 11 bits with 3 digits
        {"< send 20000000 0 >", false, 0, false, 0},   // over 29 bits
        {"< send 18EF0102 9 1 2 3 4 5 6 7 8 9 >", false, 0, false, 0},
        {"< send 18EF0102 2 1 >", false, 0, false, 0}, // fewer bytes than the length
        {"< send 18EF0102 1 1 2 >", false, 0, false, 0},
        {"< send 18EF0102 1 1FF >", false, 0, false, 0},
        {"< send 18EF01G2 1 1 >", false, 0, false, 0},
        {"< send 18EF0102 1 zz >", false, 0, false, 0},
        {"< send >", false, 0, false, 0},
    };
    for (const Case& c : cases) {
        Can_frame f;
        std::string error;
        bool ok = Socketcand_text::parse_send(Socketcand_text::words(c.message), f, error);
        EXPECT_EQ(ok, c.ok) << c.message;
        if (ok) {
            EXPECT_EQ(f.id, c.id) << c.message;
            EXPECT_EQ(f.extended, c.extended) << c.message;
            EXPECT_EQ(f.dlc, c.dlc) << c.message;
        } else {
            EXPECT_FALSE(error.empty()) << c.message;
        }
    }
}

TEST(Socketcand_text, frame_messages_read_back_what_was_written)
{
    Can_frame f;
    f.id = 0x0CF004FE;
    f.dlc = 8;
    for (int i = 0; i < 8; ++i)
        f.data[i] = uint8_t(0x10 * i + 1);
    Can_frame back;
    ASSERT_TRUE(Socketcand_text::parse_frame(Socketcand_text::words(Socketcand_text::format_frame(f, 5, 6)), back));
    EXPECT_EQ(back, f);
    Can_frame empty;
    empty.id = 0x18EA00FE;
    ASSERT_TRUE(Socketcand_text::parse_frame(Socketcand_text::words(Socketcand_text::format_frame(empty, 5, 6)), back));
    EXPECT_EQ(back, empty);
    EXPECT_FALSE(Socketcand_text::parse_frame(Socketcand_text::words("< frame 123 1.0 ABC >"), back));
}

}
