#include "messaging/cds/CDS_Remote_Server.h"
#include "messaging/cds/Can_gril_Can_gril.h"
#include "platform/can/Known_names.h"
#include "tests/messaging/Small_tree.h"
#include "tests/platform/can/Zev_bench.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t pgn = 0x1EF00;
constexpr uint8_t server_address = 0x90, peer_address = 0x26;

// The gateway run on the test's thread, as the bench runs its stacks.
class Bench_gril : public Can_gril::Can_gril {
public:
    void begin(module_man* manager, CDS::Remote::Server* server)
    {
        attach(server);
        Diner::init(manager, nullptr, "GCAN", 100, 3072, true, false);
        diner_start();
    }
    void end() { diner_stop(); }
    using Diner::run_pending;
};

class Can_gril_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.add_nv(tree);
        server.build_ids();
        ASSERT_TRUE(gril.add_stack(&server_node.stack));
        gril.begin(&manager, &server);
        ASSERT_EQ(peer.stack.register_pgn(pgn, &peer.waiter, nullptr, ZEV_stack::PGN_DATA), 0);
    }
    void TearDown() override { gril.end(); }
    void settle()
    {
        for (int i = 0; i < 4; ++i) {
            bench.settle();
            gril.run_pending();
        }
    }
    void send(const std::vector<uint8_t>& frame, uint8_t to = server_address)
    {
        ZEV_header h(peer_address, to, pgn, 6, 0, uint32_t(frame.size()));
        ASSERT_EQ(peer.stack.write(h, frame.data(), int(frame.size()), nullptr, 0), 0);
        settle();
    }
    // Every message the peer received.
    std::vector<std::pair<ZEV_header, std::vector<uint8_t>>> received()
    {
        std::vector<std::pair<ZEV_header, std::vector<uint8_t>>> out;
        for (;;) {
            ZEV_header h;
            auto bytes = peer.read(pgn, &h);
            if (bytes.empty())
                return out;
            out.emplace_back(h, bytes);
        }
    }

    Zev_bench bench;
    Zev_bench::Node& server_node = bench.add_claimed_node(Known_names::get_seeder(1), server_address);
    Zev_bench::Node& peer = bench.add_claimed_node(Known_names::get_tessaryn_master(2), peer_address);
    module_man manager;
    Small_tree tree{&manager};
    CDS::Remote::Server server;
    Bench_gril gril;
};

TEST_F(Can_gril_test, a_crc_request_to_this_node_or_to_all_is_answered_to_its_sender_from_this_nodes_address)
{
    for (uint8_t to : {server_address, uint8_t(255)}) {
        send({0xF1, 0xF1, 0x85}, to);
        auto got = received();
        ASSERT_EQ(got.size(), 1u) << "request to " << int(to);
        const ZEV_header& h = got[0].first;
        EXPECT_EQ(h.get_source(), server_address);
        EXPECT_EQ(h.get_destination(), peer_address);
        ASSERT_EQ(got[0].second.size(), 11u);
        EXPECT_EQ(got[0].second[0], 0xF1);
        EXPECT_EQ(got[0].second[1], 0xF1);
        EXPECT_EQ(got[0].second[2], 0x05);
        EXPECT_EQ(got[0].second[7], server.get_ids_length() & 0xFF);
    }
}

TEST_F(Can_gril_test, frames_without_the_marker_or_longer_than_105_bytes_are_dropped)
{
    std::vector<uint8_t> too_long(106, 0);
    too_long[0] = too_long[1] = 0xF1;
    too_long[2] = 0x85;
    std::vector<uint8_t> longest = too_long;
    longest.resize(105);
    for (const auto& frame : {std::vector<uint8_t>{0xF1, 0xF0, 0x85}, std::vector<uint8_t>{0xF1}, too_long})
        send(frame);
    EXPECT_TRUE(received().empty());
    send(longest);
    EXPECT_EQ(received().size(), 1u) << "105 bytes are read";
}

TEST_F(Can_gril_test, a_completed_send_releases_the_next_notification)
{
    send({0xF1, 0xF1, 0x86, uint8_t(small_ids::a), 0, 0, 0});
    ASSERT_EQ(received().size(), 1u);
    EXPECT_EQ(server.get_in_flight(), 0) << "the reply's completion came back on the stack";
    tree.a.set(42);
    bench.run_for(30);
    settle();
    auto got = received();
    ASSERT_EQ(got.size(), 1u) << "the 30 ms tick sent it";
    EXPECT_EQ(got[0].first.get_priority(), 6) << "one frame keeps its priority";
    EXPECT_EQ(got[0].second, (std::vector<uint8_t>{0xF1, 0xF1, 0x03, uint8_t(small_ids::a), 0, 0, 0, 42}));
}

TEST_F(Can_gril_test, with_nothing_to_send_the_tick_rests_and_a_change_brings_it_back_on_its_rhythm)
{
    send({0xF1, 0xF1, 0x86, uint8_t(small_ids::a), 0, 0, 0});
    ASSERT_EQ(received().size(), 1u);
    int ran = 0;
    for (int t = 0; t < 3000; t += 30) {
        bench.run_for(30);
        ran += gril.run_pending();
    }
    EXPECT_EQ(ran, 1) << "the first tick finds nothing waiting; then nothing wakes the task";

    // Ten ms after an instant of the rhythm: the change leaves at the next one.
    bench.run_for(10);
    tree.a.set(42);
    EXPECT_EQ(gril.run_pending(), 1) << "the change wakes the task once";
    bench.run_for(15);
    settle();
    EXPECT_TRUE(received().empty()) << "it waits for the tick";
    bench.run_for(5);
    settle();
    auto got = received();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].second, (std::vector<uint8_t>{0xF1, 0xF1, 0x03, uint8_t(small_ids::a), 0, 0, 0, 42}));
}

TEST_F(Can_gril_test, a_cancel_ends_the_watch_of_the_peer_that_sent_it_and_no_other)
{
    constexpr uint8_t second_address = 0x27;
    Zev_bench::Node& second = bench.add_claimed_node(Known_names::get_tessaryn_master(3), second_address);
    ASSERT_EQ(second.stack.register_pgn(pgn, &second.waiter, nullptr, ZEV_stack::PGN_DATA), 0);
    auto send_from = [&](Zev_bench::Node& node, uint8_t from, const std::vector<uint8_t>& frame) {
        ZEV_header h(from, server_address, pgn, 6, 0, uint32_t(frame.size()));
        ASSERT_EQ(node.stack.write(h, frame.data(), int(frame.size()), nullptr, 0), 0);
        settle();
    };
    auto heard = [&](Zev_bench::Node& node) {
        std::vector<std::vector<uint8_t>> out;
        for (std::vector<uint8_t> m; !(m = node.read(pgn)).empty();)
            out.push_back(m);
        return out;
    };
    const std::vector<uint8_t> watch{0xF1, 0xF1, 0x86, uint8_t(small_ids::a), 0, 0, 0};
    send_from(peer, peer_address, watch);
    send_from(second, second_address, watch);
    EXPECT_EQ(heard(peer).size(), 1u);
    EXPECT_EQ(heard(second).size(), 1u);

    // The item changes just before the cancel comes, and again after it. The
    // cancel as an independent peer sends it: a whole frame of eight bytes.
    auto run_ticks = [&] {
        for (int i = 0; i < 4; ++i) {
            bench.run_for(30);
            settle();
        }
    };
    tree.a.set(43);
    send_from(peer, peer_address, {0xF1, 0xF1, 0x87, uint8_t(small_ids::a), 0, 0xFF, 0xFF, 0xFF});
    run_ticks();
    tree.a.set(44);
    run_ticks();
    auto change = [](uint8_t value) {
        return std::vector<uint8_t>{0xF1, 0xF1, 0x03, uint8_t(small_ids::a), 0, 0, 0, value};
    };
    EXPECT_TRUE(heard(peer).empty()) << "the cancelling peer hears no more";
    EXPECT_EQ(heard(second), (std::vector<std::vector<uint8_t>>{change(43), change(44)}))
        << "the other peer hears every change";
}

TEST_F(Can_gril_test, a_fourth_stack_is_refused)
{
    EXPECT_TRUE(gril.add_stack(&peer.stack));
    EXPECT_TRUE(gril.add_stack(&peer.stack));
    EXPECT_FALSE(gril.add_stack(&peer.stack));
}

}
