#include "platform/can/Bus_select.h"
#include "platform/can/Can_hub.h"
#include "platform/can/Socketcand_reader.h"
#include "platform/io/Binary_message.h"
#include "tests/platform/can/Heard.h"
#include "tests/platform/can/Tcp_test_client.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace {

Can_frame frame(uint32_t id, bool extended, std::vector<uint8_t> data)
{
    Can_frame f;
    f.id = id;
    f.extended = extended;
    f.dlc = uint8_t(data.size());
    std::copy(data.begin(), data.end(), f.data);
    return f;
}

class Hub_test : public testing::Test {
protected:
    Can_hub hub{{0, 0}};
    int port = 0, other_port = 0;
    std::unique_ptr<Can_bus> a, b;
    Heard heard_a, heard_b;

    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(hub.start(error)) << error;
        port = hub.get_ports()[0];
        other_port = hub.get_ports()[1];
        ASSERT_NE(port, 0);
        a.reset(Bus_select::start(spec(port).c_str(), nullptr));
        b.reset(Bus_select::start(spec(port).c_str(), nullptr));
        ASSERT_TRUE(a && b);
        heard_a.attach(*a);
        heard_b.attach(*b);
    }
    void TearDown() override
    {
        if (a)
            a->set_receiver(nullptr);
        if (b)
            b->set_receiver(nullptr);
    }
    static std::string spec(int p) { return "tcp,addr=127.0.0.1,port=" + std::to_string(p); }
};

TEST_F(Hub_test, frames_pass_both_ways_between_the_clients_of_one_port_only)
{
    std::unique_ptr<Can_bus> elsewhere(Bus_select::start(spec(other_port).c_str(), nullptr));
    Heard heard_elsewhere;
    heard_elsewhere.attach(*elsewhere);

    Can_frame claim = frame(0x18EEFF80, true, {1, 2, 3, 4, 5, 6, 7, 8});
    Can_frame small = frame(0x123, false, {});
    Can_frame low_id = frame(0x00000042, true, {0xAA}); // 29-bit, written with 8 digits
    ASSERT_TRUE(a->send(claim));
    ASSERT_TRUE(a->send(small));
    ASSERT_TRUE(b->send(low_id));
    ASSERT_TRUE(heard_b.wait_for(2));
    ASSERT_TRUE(heard_a.wait_for(1));
    EXPECT_EQ(heard_b.frames(), (std::vector<Can_frame>{claim, small}));
    EXPECT_EQ(heard_a.frames(), std::vector<Can_frame>{low_id});

    ASSERT_TRUE(elsewhere->send(claim));
    ASSERT_TRUE(a->send(small)); // passes the other port's frame, if it wrongly came, in order
    ASSERT_TRUE(heard_b.wait_for(3));
    EXPECT_EQ(heard_b.frames().size(), 3u);
    EXPECT_TRUE(heard_elsewhere.frames().empty());
    elsewhere->set_receiver(nullptr);
}

TEST_F(Hub_test, bad_input_gets_an_error_or_is_skipped_and_disturbs_no_one)
{
    Tcp_test_client bad(port);
    ASSERT_TRUE(bad.open_raw());
    struct Case {
        std::string input;
        const char* error; // expected in the answer, or null for none
    };
    const std::vector<Case> cases = {
        {"< bogus 1 2 >", "< error unknown command bogus >"},
        {"< >", "< error empty message >"},
        {"< send 18EF0102 9 1 2 3 4 5 6 7 8 9 >", "< error bad length 9 >"},
        {"< send 18EF0102 8 1 2 3 4 5 6 7 8 9 >", "< error length 8 does not match 9 data bytes >"},
        {"< send 18EF0102 2 GG 00 >", "< error bad data byte GG >"},
        {"< send XYZ 1 1 >", "< error bad identifier XYZ >"},
        {"< send 18EF0102 12 1 >", "< error bad length 12 >"},
        {"< send " + std::string(300, 'A') + " >", "< error message too long >"},
        {"< send 18EF\x01\x02 >", "< error control character in a message >"},
        {"< send 123 1 1 < open can0 >", "< error message cut off by the start of another >"},
        {"plain junk outside any message\r\n", nullptr},
        {"> > >", nullptr},
    };
    for (const Case& c : cases) {
        bad.write(c.input);
        bad.write("< rawmode >"); // answered "already in raw mode": marks the end of the answers
        std::string got;
        ASSERT_TRUE(bad.read_until("< error already in raw mode >", got)) << c.input << " -> " << got;
        if (c.error)
            EXPECT_NE(got.find(c.error), std::string::npos) << c.input << " -> " << got;
        else
            EXPECT_EQ(got, "< error already in raw mode >") << c.input;
    }
    std::string noise;
    for (int i = 0; i < 4096; ++i)
        noise += char((i * 7919) % 256);
    bad.write(noise);

    Can_frame f = frame(0x18EF8180, true, {9, 8, 7});
    ASSERT_TRUE(a->send(f));
    ASSERT_TRUE(heard_b.wait_for(1));
    EXPECT_EQ(heard_b.frames(), std::vector<Can_frame>{f});
    bad.write("< send 18EF0102 2 0A 0b >"); // the noisy client itself is still served
    ASSERT_TRUE(heard_a.wait_for(1));
    EXPECT_EQ(heard_a.frames()[0], frame(0x18EF0102, true, {0x0A, 0x0B}));
}

TEST_F(Hub_test, an_error_reply_quoting_a_long_bad_word_is_cut_to_fit_what_a_reader_takes)
{
    Tcp_test_client bad(port);
    ASSERT_TRUE(bad.open_raw());
    struct Case {
        std::string input; // each at most 128 characters, so that the hub reads it whole
        std::string start;
    };
    const std::vector<Case> cases = {
        {"< " + std::string(120, 'x') + " >", "< error unknown command xxx"},
        {"< send " + std::string(115, 'A') + " 1 1 >", "< error bad identifier AAA"},
        {"< send 18EF0102 " + std::string(108, '9') + " >", "< error bad length 999"},
        {"< send 18EF0102 1 " + std::string(106, 'G') + " >", "< error bad data byte GGG"},
    };
    for (const Case& c : cases) {
        ASSERT_LE(c.input.size(), Socketcand_reader::max_message);
        bad.write(c.input);
        std::string got;
        ASSERT_TRUE(bad.read_until(" >", got)) << c.input;
        got = got.substr(got.find('<'));
        EXPECT_EQ(got.rfind(c.start, 0), 0u) << got;
        EXPECT_EQ(got.size(), Socketcand_reader::max_message) << got;
        EXPECT_EQ(got.substr(got.size() - 5), "... >") << got;
        Socketcand_reader reader; // as the bus client reads it
        reader.feed(got.data(), got.size());
        Socketcand_reader::Item item;
        ASSERT_TRUE(reader.next(item));
        EXPECT_FALSE(item.bad) << item.text;
    }
}

TEST_F(Hub_test, frames_reach_a_client_only_in_raw_mode_and_sends_need_an_open_bus)
{
    Tcp_test_client late(port);
    std::string got;
    ASSERT_TRUE(late.read_until("< hi >", got));
    late.write("< send 18EF0102 1 01 >");
    ASSERT_TRUE(late.read_until("< error open a bus first >", got)) << got;
    late.write("< rawmode >");
    ASSERT_TRUE(late.read_until("< error open a bus first >", got)) << got;
    late.write("< open can0 >");
    ASSERT_TRUE(late.read_until("< ok >", got));

    ASSERT_TRUE(a->send(frame(0x18EF0102, true, {1})));
    ASSERT_TRUE(heard_b.wait_for(1)); // the hub has passed it on by now
    late.write("< rawmode >");
    ASSERT_TRUE(late.read_until("< ok >", got));
    ASSERT_TRUE(a->send(frame(0x18EF0102, true, {2})));
    ASSERT_TRUE(late.read_until(" >", got));
    EXPECT_EQ(got.find("< frame 18EF0102 "), 0u) << got;
    EXPECT_NE(got.find(" 02 >"), std::string::npos) << "the frame sent before raw mode never comes: " << got;
}

TEST_F(Hub_test, a_message_split_over_writes_is_put_together_and_a_client_that_leaves_is_forgotten)
{
    {
        Tcp_test_client leaver(port);
        ASSERT_TRUE(leaver.open_raw());
        leaver.write("< se");
        leaver.write("nd 18EF8130 2 01");
        leaver.write(" 02 >");
        ASSERT_TRUE(heard_a.wait_for(1));
        EXPECT_EQ(heard_a.frames()[0], frame(0x18EF8130, true, {1, 2}));
    }
    for (uint8_t i = 0; i < 20; ++i)
        ASSERT_TRUE(a->send(frame(0x18EF8180, true, {i})));
    ASSERT_TRUE(heard_b.wait_for(21)); // the leaver's frame and a's
    EXPECT_EQ(heard_b.frames().back().data[0], 19);
}

TEST_F(Hub_test, clients_that_come_all_at_once_are_all_greeted_in_time)
{
    // A client gives up when the greeting takes over 2 s; the connections
    // must not overflow the queue of those not yet taken.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(2000);
    std::vector<std::unique_ptr<Tcp_test_client>> crowd;
    for (int i = 0; i < 200; ++i)
        crowd.emplace_back(new Tcp_test_client(port));
    int greeted = 0;
    for (auto& c : crowd) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        std::string got;
        greeted += c->read_until("< hi >", got, int(std::max<long>(left.count(), 1)));
    }
    EXPECT_EQ(greeted, 200);
}

TEST_F(Hub_test, a_client_that_does_not_read_is_dropped_and_a_reading_one_gets_every_frame_in_order)
{
    Tcp_test_client deaf(port, 4096);
    ASSERT_TRUE(deaf.open_raw());
    const uint32_t total = 200000; // well past the hub's limit and the socket buffers
    Can_frame f = frame(0x18EF8180, true, {0, 0, 0, 0});
    for (uint32_t i = 0; i < total; ++i) {
        Binary_message::set_uint32_le(f.data, i);
        ASSERT_TRUE(a->send(f));
        if (i % 1000 == 999) { // at b's pace: only the deaf client falls behind
            ASSERT_TRUE(heard_b.wait_for(i + 1));
        }
    }
    ASSERT_TRUE(heard_b.wait_for(total));
    std::vector<Can_frame> frames = heard_b.frames();
    ASSERT_EQ(frames.size(), total);
    for (uint32_t i = 0; i < total; ++i)
        ASSERT_EQ(Binary_message::get_uint32_le(frames[i].data), i);
    EXPECT_TRUE(deaf.read_to_end(10000)) << "the hub has ended the deaf client's connection";
}

TEST(Can_hub, a_port_in_use_is_reported)
{
    Can_hub first({0});
    std::string error;
    ASSERT_TRUE(first.start(error));
    Can_hub second({first.get_ports()[0]});
    EXPECT_FALSE(second.start(error));
    EXPECT_NE(error.find("cannot listen on 127.0.0.1 port " + std::to_string(first.get_ports()[0])),
              std::string::npos)
        << error;
}

}
