#include "control_logic/Packet_interface.h"
#include "platform/io/Memory_data_stream.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

// The check numbers of the "Pkt fail" lines in the output, in order.
std::vector<int> fail_checks(const std::string& output)
{
    std::vector<int> checks;
    const std::string mark = "Packet_interface.cpp:";
    for (size_t at = output.find("Pkt fail "); at != std::string::npos; at = output.find("Pkt fail ", at + 1)) {
        size_t number = output.find(mark, at);
        if (number == std::string::npos || number > output.find('\n', at))
            return {-1}; // a line without the file and its check
        checks.push_back(std::atoi(output.c_str() + number + mark.size()));
    }
    return checks;
}

struct Link_fixture : ::testing::Test {
    Memory_data_stream stream;
    Packet_interface link{stream};
    Debug_capture capture;

    // Every packet the reader gives for what is buffered.
    std::vector<Bytes> receive_all(bool ascii)
    {
        std::vector<Bytes> packets;
        for (;;) {
            Packet p;
            if (ascii)
                p.init_ascii();
            if (!link.receive(p, ascii))
                return packets;
            size_t n = ascii ? p.count : size_t(p.bytes[1]) + 1;
            packets.emplace_back(p.bytes, p.bytes + n);
            EXPECT_EQ(p.ascii, ascii ? 1 : 0);
        }
    }
};

// Replies of slaves 50 and 51, and the echo of a request to 50.
const Bytes reply = {0x31, 0x04, 0x32, 0x07, 0x6e};
const Bytes reply_with_data = {0x31, 0x06, 0x33, 0x02, 0x10, 0x20, 0x9c};
const Bytes echo = {0x32, 0x04, 0x31, 0x07, 0x6e};

Bytes longest_reply()
{
    Bytes frame = {0x31, 31, 0x40, 0x09};
    for (int i = 0; i < 27; ++i)
        frame.push_back(uint8_t(0x80 + i));
    unsigned sum = 0;
    for (uint8_t b : frame)
        sum += b;
    frame.push_back(uint8_t(sum));
    return frame;
}

struct Reader_case {
    const char* name;
    Bytes input;
    std::vector<Bytes> packets;
    size_t left;
    std::vector<int> fails;
};

using Binary_reader = Link_fixture;

TEST_F(Binary_reader, takes_frames_hunts_bytewise_and_reports_each_fault)
{
    const std::vector<Reader_case> cases = {
        {"one reply", reply, {reply}, 0, {}},
        {"two replies in one read", reply + reply_with_data, {reply, reply_with_data}, 0, {}},
        {"27 data bytes", longest_reply(), {longest_reply()}, 0, {}},
        {"an echo goes, the reply behind it is taken", echo + reply, {reply}, 0, {}},
        {"an echo between two replies", reply + echo + reply_with_data, {reply, reply_with_data}, 0, {}},
        {"the start of an echo waits for the rest", {0x32, 0x06, 0x31, 0x02, 0x10}, {}, 5, {}},
        {"bad destination costs a byte each", Bytes{0x00, 0x7f} + reply, {reply}, 0, {149, 149}},
        {"length 32 loses one byte", Bytes{0x31, 0x20, 0x33} + reply, {reply}, 0, {156, 149, 149}},
        {"bad checksum, then the hunt finds the good frame", Bytes{0x31, 0x04, 0x32, 0x07, 0x00} + reply,
         {reply}, 0, {174, 149, 149, 149, 149}},
        {"fewer than 5 bytes wait", {0x31, 0x04, 0x32, 0x07}, {}, 4, {}},
        {"a partial frame waits", {0x31, 0x06, 0x33, 0x02, 0x10}, {}, 5, {}},
        {"a reply, then part of the next", reply + Bytes{0x31, 0x06, 0x33}, {reply}, 3, {}},
        {"noise ends below 5 bytes", {0x00, 0x01, 0x02, 0x03, 0x04}, {}, 4, {149}},
    };
    for (const Reader_case& c : cases) {
        SCOPED_TRACE(c.name);
        stream.drop_all();
        capture.clear();
        stream.feed(c.input);
        EXPECT_EQ(receive_all(false), c.packets);
        EXPECT_EQ(stream.bytes_avail(), c.left);
        EXPECT_EQ(fail_checks(capture.text()), c.fails) << capture.text();
    }
}

using Ascii_reader = Link_fixture;

const Bytes scale_request = text("S2x110026:\r\n\x03");
const Bytes scale_reply = text("S81110026:000004D2\r\n\x03");

TEST_F(Ascii_reader, finds_the_reply_by_its_colon_and_etx_and_skips_our_echo)
{
    Packet request;
    request.init_ascii();
    for (uint8_t b : scale_request)
        request.add_byte(b);
    link.send(request);
    EXPECT_EQ(stream.take_written(), scale_request);

    const Bytes longest = text("S81110026:") + Bytes(21, '0') + Bytes{0x03};
    const std::vector<Reader_case> cases = {
        {"reply alone", scale_reply, {scale_reply}, 0, {}},
        {"garbage before the colon", text("xyz") + scale_reply, {scale_reply}, 0, {}},
        {"echo, then the reply", scale_request + scale_reply, {scale_reply}, 0, {}},
        {"a beginning of the echo waits", text("S2x110026:\r"), {}, 11, {}},
        {"no ETX yet", text("S81110026:000004D2\r\n"), {}, 20, {}},
        {"colon too early drops everything", text("S8:") + scale_reply, {}, 0, {}},
        {"32 bytes fit", longest, {longest}, 0, {}},
        {"ETX at offset 32 is a framing fault",
         text("S81110026:") + Bytes(22, '0') + Bytes{0x03} + scale_reply, {scale_reply}, 0,
         {Packet_interface::check_ascii_length}},
    };
    for (const Reader_case& c : cases) {
        SCOPED_TRACE(c.name);
        stream.drop_all();
        capture.clear();
        stream.feed(c.input);
        EXPECT_EQ(receive_all(true), c.packets);
        EXPECT_EQ(stream.bytes_avail(), c.left);
        EXPECT_EQ(fail_checks(capture.text()), c.fails) << capture.text();
    }
}

// Read as it arrives: the echo's first bytes, then its rest with the reply.
TEST_F(Binary_reader, an_echo_arriving_in_pieces_leaves_the_reply_behind_it)
{
    stream.feed(Bytes(echo.begin(), echo.begin() + 3));
    EXPECT_TRUE(receive_all(false).empty());
    EXPECT_EQ(stream.bytes_avail(), 3u);
    stream.feed(Bytes(echo.begin() + 3, echo.end()) + reply);
    EXPECT_EQ(receive_all(false), std::vector<Bytes>{reply});
    EXPECT_EQ(stream.bytes_avail(), 0u);
    EXPECT_EQ(capture.text().find("Pkt fail"), std::string::npos) << capture.text();
}

TEST_F(Ascii_reader, says_when_the_colon_is_out_of_position)
{
    stream.feed(text("xyz") + scale_reply);
    EXPECT_EQ(receive_all(true), std::vector<Bytes>{scale_reply});
    EXPECT_EQ(capture.text(), "Colon out of position\n");
}

TEST_F(Ascii_reader, an_echo_arriving_in_pieces_is_still_taken_for_an_echo)
{
    Packet request;
    request.init_ascii();
    for (uint8_t b : scale_request)
        request.add_byte(b);
    link.send(request);

    stream.feed(Bytes(scale_request.begin(), scale_request.begin() + 11));
    EXPECT_TRUE(receive_all(true).empty());
    stream.feed(Bytes(scale_request.begin() + 11, scale_request.end()) + scale_reply);
    EXPECT_EQ(receive_all(true), std::vector<Bytes>{scale_reply});
    EXPECT_EQ(stream.bytes_avail(), 0u);
}

using Link_send = Link_fixture;

TEST_F(Link_send, writes_the_whole_frame_and_arms_the_deadline_with_the_timeout)
{
    Manual_clock clock(5000);
    Packet_interface timed(stream);
    EXPECT_EQ(timed.get_deadline(), Atime(5000)); // due at once: nothing is outstanding

    Packet p;
    p.init(50, 7);
    p.add_byte(0x01);
    timed.send(p);
    EXPECT_EQ(stream.take_written(), (Bytes{50, 5, 0x31, 7, 0x01, uint8_t(50 + 5 + 0x31 + 7 + 1)}));
    EXPECT_EQ(timed.get_deadline(), Atime(6000));

    timed.set_timeout(250);
    clock.advance(10);
    p.init(51, 8);
    timed.send(p);
    EXPECT_EQ(stream.take_written().size(), 5u);
    EXPECT_EQ(timed.get_deadline(), Atime(5260));
}

}
