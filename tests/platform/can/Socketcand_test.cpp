#include "platform/can/Socketcand_reader.h"
#include "platform/can/Socketcand_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

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
                got.emplace_back(item.text);
            }
        }
        EXPECT_EQ(got, (std::vector<std::string>{"< hi >", "< ok >", "< frame 18EF0102 12.000001 0102 >"}))
            << "chunks of " << chunk;
    }
}

// Whatever the pieces the input comes in, the same messages and complaints.
TEST(Socketcand_reader, bad_input_is_reported_or_skipped_and_the_next_message_still_reads)
{
    struct Case {
        std::string input;
        std::vector<std::string> items; // complaints start with "bad: "
    };
    const std::string longest = "< " + std::string(Socketcand_reader::max_message - 3, 'x') + ">";
    const std::vector<Case> cases = {
        {"junk > between messages", {"< echo >"}},
        {"< send" + std::string(200, ' ') + "1 >", {"bad: message too long", "< echo >"}},
        {longest, {longest, "< echo >"}},
        {longest.substr(0, longest.size() - 1) + "x>", {"bad: message too long", "< echo >"}},
        {"< send \x01\x02 >", {"bad: control character in a message", "< echo >"}},
        {"< send \x7F >", {"bad: control character in a message", "< echo >"}},
        {"< send 123 1 ", {"bad: message cut off by the start of another", "< echo >"}},
        {"<\t1\r\n>", {"<\t1\r\n>", "< echo >"}},
    };
    for (const Case& c : cases) {
        const std::string input = c.input + "< echo >";
        for (size_t chunk = 1; chunk <= input.size(); ++chunk) {
            Socketcand_reader reader;
            std::vector<std::string> got;
            for (size_t at = 0; at < input.size(); at += chunk) {
                reader.feed(input.data() + at, std::min(chunk, input.size() - at));
                for (auto& item : read_all(reader))
                    got.push_back((item.bad ? "bad: " : "") + std::string(item.text));
            }
            EXPECT_EQ(got, c.items) << c.input << " in chunks of " << chunk;
        }
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
    EXPECT_EQ(Socketcand_text::format_send(f).view(), "< send 18EF0102 3 0A FF 00 >");
    EXPECT_EQ(Socketcand_text::format_frame(f, 1700000000, 42).view(), "< frame 18EF0102 1700000000.000042 0AFF00 >");
    Can_frame s;
    s.extended = false;
    s.id = 0x123;
    EXPECT_EQ(Socketcand_text::format_send(s).view(), "< send 123 0 >");
    EXPECT_EQ(Socketcand_text::format_frame(s, 1, 0).view(), "< frame 123 1.000000  >");
}

TEST(Socketcand_text, send_messages_parse_or_say_what_is_wrong)
{
    struct Case {
        std::string message;
        bool ok;
        uint32_t id;
        bool extended;
        uint8_t dlc;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"< send 18EF0102 3 a ff 0 >", true, 0x18EF0102, true, 3, ""},
        {"< send CF004FE 0 >", true, 0x0CF004FE, true, 0, ""}, // not padded: still 29-bit
        {"< send 7FF 1 1 >", true, 0x7FF, false, 1, ""},
        {"<\tsend  7FF\r\n1   1>", true, 0x7FF, false, 1, ""},
        {"< send 800 1 1 >", false, 0, false, 0, "bad identifier 800"}, // over 11 bits with 3 digits
        {"< send 20000000 0 >", false, 0, false, 0, "bad identifier 20000000"}, // over 29 bits
        {"< send 18EF0102 9 1 2 3 4 5 6 7 8 9 >", false, 0, false, 0, "bad length 9"},
        {"< send 18EF0102 2 1 >", false, 0, false, 0, "length 2 does not match 1 data bytes"},
        {"< send 18EF0102 1 1 2 >", false, 0, false, 0, "length 1 does not match 2 data bytes"},
        {"< send 18EF0102 2 zz 1 2 >", false, 0, false, 0, "length 2 does not match 3 data bytes"},
        {"< send 18EF0102 1 1FF >", false, 0, false, 0, "bad data byte 1FF"},
        {"< send 18EF0102 2 1 zz >", false, 0, false, 0, "bad data byte zz"},
        {"< send 18EF0102 2 y zz >", false, 0, false, 0, "bad data byte y"},
        {"< send 18EF01G2 1 1 >", false, 0, false, 0, "bad identifier 18EF01G2"},
        {"< send 18EF01G2 zz >", false, 0, false, 0, "bad identifier 18EF01G2"},
        {"< send 18EF0102 zz >", false, 0, false, 0, "bad length zz"},
        {"< send 18EF0102 >", false, 0, false, 0, "send needs an identifier and a length"},
        {"< send >", false, 0, false, 0, "send needs an identifier and a length"},
        {"< frame 18EF0102 1 >", false, 0, false, 0, "send needs an identifier and a length"},
    };
    for (const Case& c : cases) {
        Can_frame f;
        std::string error;
        bool ok = Socketcand_text::parse_send(c.message, f, error);
        EXPECT_EQ(ok, c.ok) << c.message;
        if (ok) {
            EXPECT_EQ(f.id, c.id) << c.message;
            EXPECT_EQ(f.extended, c.extended) << c.message;
            EXPECT_EQ(f.dlc, c.dlc) << c.message;
        } else {
            EXPECT_EQ(error, c.error) << c.message;
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
    ASSERT_TRUE(
        Socketcand_text::parse_frame(Socketcand_text::words(Socketcand_text::format_frame(f, 5, 6).view()), back));
    EXPECT_EQ(back, f);
    Can_frame empty;
    empty.id = 0x18EA00FE;
    ASSERT_TRUE(
        Socketcand_text::parse_frame(Socketcand_text::words(Socketcand_text::format_frame(empty, 5, 6).view()), back));
    EXPECT_EQ(back, empty);
    EXPECT_FALSE(Socketcand_text::parse_frame(Socketcand_text::words("< frame 123 1.0 ABC >"), back));
}

// How the messages were written with printf, for the table below.
std::string printf_send(const Can_frame& f)
{
    char text[128];
    int n = std::snprintf(text, sizeof text, f.extended ? "< send %08X %u" : "< send %03X %u", f.id, f.dlc);
    for (int i = 0; i < f.dlc; ++i)
        n += std::snprintf(text + n, sizeof text - size_t(n), " %02X", f.data[i]);
    return std::string(text, size_t(n)) + " >";
}

std::string printf_frame(const Can_frame& f, long long seconds, int micros)
{
    char text[128];
    int n = std::snprintf(text, sizeof text, f.extended ? "< frame %08X %lld.%06d " : "< frame %03X %lld.%06d ", f.id,
                          seconds, micros);
    for (int i = 0; i < f.dlc; ++i)
        n += std::snprintf(text + n, sizeof text - size_t(n), "%02X", f.data[i]);
    return std::string(text, size_t(n)) + " >";
}

TEST(Socketcand_text, a_table_of_frames_is_written_as_printf_wrote_it_and_reads_back)
{
    struct Id {
        uint32_t id;
        bool extended;
    };
    const Id ids[] = {{0x000, false}, {0x00A, false}, {0x123, false}, {0x7FF, false},       {0x00000000, true},
                      {0x0000ABC, true}, {0x0CF004FE, true}, {0x18EF0102, true}, {0x1FFFFFFF, true}};
    struct Time {
        long long seconds;
        int micros;
    };
    const Time times[] = {{0, 0}, {7, 100000}, {1234567890, 999999}, {1700000000, 42}};
    int checked = 0;
    for (const Id& id : ids) {
        for (uint8_t dlc = 0; dlc <= 8; ++dlc) {
            Can_frame f;
            f.id = id.id;
            f.extended = id.extended;
            f.dlc = dlc;
            for (int i = 0; i < dlc; ++i)
                f.data[i] = uint8_t(0x5A * i + 0x0F * dlc + id.id); // 00 and FF among them
            const std::string send(Socketcand_text::format_send(f).view());
            EXPECT_EQ(send, printf_send(f));
            Can_frame back;
            std::string error;
            EXPECT_TRUE(Socketcand_text::parse_send(send, back, error)) << send << ": " << error;
            EXPECT_EQ(back, f) << send;
            for (const Time& t : times) {
                const std::string frame(Socketcand_text::format_frame(f, t.seconds, t.micros).view());
                EXPECT_EQ(frame, printf_frame(f, t.seconds, t.micros));
                back = Can_frame();
                EXPECT_TRUE(Socketcand_text::parse_frame(Socketcand_text::words(frame), back)) << frame;
                EXPECT_EQ(back, f) << frame;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 9 * 9 * 4);
}

TEST(Socketcand_text, lines_split_into_their_words_between_the_first_open_and_the_last_close)
{
    struct Case {
        std::string line;
        std::vector<std::string> words;
    };
    const std::vector<Case> cases = {
        {"< hi >", {"hi"}},
        {"< ok >", {"ok"}},
        {"< echo >", {"echo"}},
        {"< error bad identifier 18EF01G2 >", {"error", "bad", "identifier", "18EF01G2"}},
        {"< error length 8 does not match 9 data bytes >",
         {"error", "length", "8", "does", "not", "match", "9", "data", "bytes"}},
        {"< frame 18EF0102 1700000000.000042 0AFF00 >", {"frame", "18EF0102", "1700000000.000042", "0AFF00"}},
        {"< frame 123 1.000000  >", {"frame", "123", "1.000000"}},
        {"<\tsend  7FF\r\n1   1>", {"send", "7FF", "1", "1"}},
        {"noise < send 7FF 1 1 > tail", {"send", "7FF", "1", "1"}},
        {"<send 7FF 0>", {"send", "7FF", "0"}},
        {"< a > < b >", {"a", ">", "<", "b"}},
        {"<>", {}},
        {"<  \t >", {}},
        {"< send 1", {}},
        {"> < ok", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        const Socketcand_text::Words words = Socketcand_text::words(c.line);
        std::vector<std::string> got;
        for (size_t i = 0; i < words.size(); ++i)
            got.emplace_back(words[i]);
        EXPECT_EQ(got, c.words) << c.line;
        EXPECT_EQ(words.empty(), c.words.empty()) << c.line;
    }
}

// A line of more words than any frame message still counts them all, and
// the send that quotes too many bytes says how many.
TEST(Socketcand_text, a_line_of_many_words_counts_them_all)
{
    std::string line = "< send 18EF0102 8";
    for (int i = 0; i < 20; ++i)
        line += " " + std::to_string(i);
    line += " >";
    const Socketcand_text::Words words = Socketcand_text::words(line);
    EXPECT_EQ(words.size(), 23u);
    EXPECT_EQ(words[Socketcand_text::Words::kept - 1], std::to_string(Socketcand_text::Words::kept - 4));
    Can_frame f;
    std::string error;
    EXPECT_FALSE(Socketcand_text::parse_send(line, f, error));
    EXPECT_EQ(error, "length 8 does not match 20 data bytes");
}

}
