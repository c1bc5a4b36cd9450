#include "tests/platform/can/Zev_bench.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t pgn_data = 0x1EF00; // the remote data store's: PDU1, data page 1
constexpr uint32_t pgn_tp_cm = 0xEC00, pgn_tp_dt = 0xEB00, pgn_etp_cm = 0xC800;

class Zev_transport : public Three_nodes {
protected:
    void SetUp() override
    {
        for (auto* n : {&a, &b, &c})
            ASSERT_EQ(n->stack.register_pgn(pgn_data, &n->waiter, nullptr, 1), 0);
    }
    int send(uint8_t to, const std::vector<uint8_t>& data, int code = 7)
    {
        return a.stack.write(ZEV_header(0x80, to, pgn_data, 6, 10, 0), data.data(), int(data.size()), &a.waiter,
                             code);
    }
    // The completion codes a has heard.
    std::vector<int32_t> completions()
    {
        std::vector<int32_t> out;
        for (auto& e : a.events_of(a.stack.get_completion_module()))
            out.push_back(int32_t(e.code));
        return out;
    }
    // After a failed transfer: both sides are ready for the next message.
    void expect_next_message_passes()
    {
        ASSERT_EQ(send(0x81, test_pattern(100)), 0);
        bench.run_for(50);
        EXPECT_EQ(b.read(pgn_data), test_pattern(100));
        EXPECT_EQ(completions(), std::vector<int32_t>{7});
    }
    // Frames of one PGN recorded on the bus.
    std::vector<Can_frame> recorded(uint32_t pgn)
    {
        std::vector<Can_frame> out;
        for (const Can_frame& f : bench.hub().recorded())
            if (pgn_of(f) == pgn)
                out.push_back(f);
        return out;
    }
};

TEST_F(Zev_transport, messages_to_one_address_arrive_intact_at_every_size_and_only_there)
{
    for (size_t size : {9u, 14u, 15u, 112u, 1785u}) {
        ASSERT_EQ(send(0x81, test_pattern(size)), 0) << size;
        bench.run_for(50);
        ZEV_header h;
        EXPECT_EQ(b.read(pgn_data, &h), test_pattern(size)) << size;
        EXPECT_EQ(h.get_source(), 0x80);
        EXPECT_EQ(h.get_destination(), 0x81);
        EXPECT_EQ(h.get_length(), size);
        EXPECT_EQ(completions(), std::vector<int32_t>{7}) << size;
        EXPECT_TRUE(c.events().empty()) << size;
        EXPECT_EQ(b.events().size(), 1u) << "one event for the whole message";
    }
}

TEST_F(Zev_transport, a_broadcast_of_100_bytes_reaches_every_node_with_its_packets_paced)
{
    bench.hub().set_recording(true);
    ASSERT_EQ(send(0xFF, test_pattern(100)), 0);
    bench.run_for(50 * 15 - 10);
    EXPECT_TRUE(completions().empty()) << "15 packets 50 ms apart take 750 ms";
    bench.run_for(20);
    EXPECT_EQ(completions(), std::vector<int32_t>{7});
    EXPECT_EQ(b.read(pgn_data), test_pattern(100));
    EXPECT_EQ(c.read(pgn_data), test_pattern(100));
    auto cm = recorded(pgn_tp_cm);
    ASSERT_EQ(cm.size(), 1u) << "a BAM and nothing in reply";
    EXPECT_EQ(cm[0].id, 0x1CECFF80u);
    EXPECT_EQ(std::vector<uint8_t>(cm[0].data, cm[0].data + 8),
              (std::vector<uint8_t>{32, 100, 0, 15, 0xFF, 0x00, 0xEF, 0x01}));
    EXPECT_EQ(recorded(pgn_tp_dt).size(), 15u);
}

TEST_F(Zev_transport, an_etp_message_of_100000_bytes_arrives_intact)
{
    ASSERT_EQ(send(0x81, test_pattern(100000)), 0);
    bench.run_for(20);
    EXPECT_EQ(b.read(pgn_data), test_pattern(100000));
    EXPECT_EQ(completions(), std::vector<int32_t>{7});
}

TEST_F(Zev_transport, a_lost_data_packet_is_asked_for_again_and_the_message_arrives)
{
    int dropped = 0;
    bench.hub().set_drop_rule([&](const Can_frame& f) {
        bool third = pgn_of(f) == pgn_tp_dt && f.data[0] == 3 && dropped == 0;
        dropped += third;
        return third;
    });
    bench.hub().set_recording(true);
    ASSERT_EQ(send(0x81, test_pattern(100)), 0);
    bench.run_for(50);
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(b.read(pgn_data), test_pattern(100));
    EXPECT_EQ(completions(), std::vector<int32_t>{7});
    auto cm = recorded(pgn_tp_cm);
    ASSERT_GE(cm.size(), 3u);
    EXPECT_EQ(cm[2].data[0], 17) << "a second CTS";
    EXPECT_EQ(cm[2].data[2], 3) << "from the lost packet on";
}

TEST_F(Zev_transport, a_packet_lost_every_time_ends_in_an_abort_and_a_failure_completion)
{
    bench.hub().set_drop_rule([](const Can_frame& f) { return pgn_of(f) == pgn_tp_dt && f.data[0] == 3; });
    bench.hub().set_recording(true);
    ASSERT_EQ(send(0x81, test_pattern(100)), 0);
    bench.run_for(50);
    EXPECT_EQ(completions(), std::vector<int32_t>{-7});
    EXPECT_TRUE(b.read(pgn_data).empty());
    auto cm = recorded(pgn_tp_cm);
    ASSERT_FALSE(cm.empty());
    EXPECT_EQ(cm.back().id & 0xFFFF, 0x8081u) << "the receiver aborts";
    EXPECT_EQ(cm.back().data[0], 255);
    EXPECT_EQ(cm.back().data[1], 5) << "too many retransmissions";
    int cts = 0;
    for (auto& f : cm)
        cts += f.data[0] == 17;
    EXPECT_EQ(cts, 3) << "the first CTS and two retries";

    bench.hub().set_drop_rule(nullptr);
    expect_next_message_passes();
}

TEST_F(Zev_transport, a_receiver_that_stops_answering_fails_the_send_after_the_time_out)
{
    bench.hub().set_drop_rule([](const Can_frame& f) { return (f.id & 0xFF) == 0x81; });
    ASSERT_EQ(send(0x81, test_pattern(100)), 0);
    bench.run_for(1200);
    EXPECT_TRUE(completions().empty()) << "T3 is 1250 ms";
    bench.run_for(100);
    EXPECT_EQ(completions(), std::vector<int32_t>{-7});

    bench.hub().set_drop_rule(nullptr);
    bench.run_for(5000); // b's side of the dead session runs out too
    b.events();
    expect_next_message_passes();
}

TEST_F(Zev_transport, a_transfer_whose_data_stops_ends_on_both_sides_after_the_time_outs)
{
    int data_frames = 0;
    bench.hub().set_drop_rule([&](const Can_frame& f) {
        return pgn_of(f) == pgn_tp_dt && (f.id & 0xFF) == 0x80 && ++data_frames > 5;
    });
    bench.hub().set_recording(true);
    ASSERT_EQ(send(0x81, test_pattern(100)), 0);
    bench.run_for(6000);
    EXPECT_EQ(completions(), std::vector<int32_t>{-7});
    EXPECT_TRUE(b.read(pgn_data).empty());
    int timeouts = 0;
    for (auto& f : recorded(pgn_tp_cm))
        timeouts += f.data[0] == 255 && f.data[1] == 3;
    EXPECT_EQ(timeouts, 1) << "one side aborts for the time-out, the other ends with it";

    bench.hub().set_drop_rule(nullptr);
    expect_next_message_passes();
}

TEST_F(Zev_transport, a_slow_bus_within_the_time_outs_still_carries_the_message)
{
    bench.hub().set_delay(600);
    ASSERT_EQ(send(0x81, test_pattern(200)), 0);
    bench.run_for(6000);
    bench.hub().set_delay(0);
    EXPECT_EQ(b.read(pgn_data), test_pattern(200));
    EXPECT_EQ(completions(), std::vector<int32_t>{7});
}

TEST_F(Zev_transport, sends_to_one_address_queue_and_complete_in_order)
{
    ASSERT_EQ(send(0x81, test_pattern(30), 1), 0);
    ASSERT_EQ(send(0x81, test_pattern(40), 2), 0);
    ASSERT_EQ(send(0x21, test_pattern(50), 3), 0);
    bench.run_for(100);
    EXPECT_EQ(b.read(pgn_data), test_pattern(30));
    EXPECT_EQ(b.read(pgn_data), test_pattern(40));
    EXPECT_EQ(c.read(pgn_data), test_pattern(50));
    auto done = completions();
    std::sort(done.begin(), done.end());
    EXPECT_EQ(done, (std::vector<int32_t>{1, 2, 3}));
}

TEST_F(Zev_transport, sends_that_cannot_go_are_refused_without_a_completion)
{
    EXPECT_EQ(send(0xFF, test_pattern(1786)), -1) << "a broadcast is TP only";
    EXPECT_EQ(a.stack.write(ZEV_header(0x81, 0x21, pgn_data, 6, 7, 0), test_pattern(20).data(), 20, &a.waiter, 1),
              -1)
        << "from an address a does not hold";
    EXPECT_TRUE(completions().empty());
}

TEST_F(Zev_transport, closing_the_stack_fails_the_sends_still_pending)
{
    ASSERT_EQ(send(0x30, test_pattern(100), 5), 0); // nobody at 0x30 answers
    ASSERT_EQ(send(0x30, test_pattern(100), 6), 0);
    a.stack.close();
    auto done = completions();
    std::sort(done.begin(), done.end());
    EXPECT_EQ(done, (std::vector<int32_t>{-6, -5}));

    EXPECT_EQ(send(0x30, test_pattern(100), 8), -1) << "no task would ever end it";
    EXPECT_EQ(send(0xFF, test_pattern(100), 9), -1);
    EXPECT_TRUE(completions().empty());
}

TEST_F(Zev_transport, a_waiter_forgotten_hears_no_completion_of_the_sends_on_their_way)
{
    waiter_descriptor going, staying;
    auto write = [&](uint8_t to, waiter_descriptor& waiter, int code) {
        return a.stack.write(ZEV_header(0x80, to, pgn_data, 6, 10, 0), test_pattern(100).data(), 100, &waiter, code);
    };
    ASSERT_EQ(write(0xFF, going, 1), 0); // a BAM: 15 packets 50 ms apart
    ASSERT_EQ(write(0x30, going, 2), 0); // nobody at 0x30 answers: fails on close
    ASSERT_EQ(write(0x81, staying, 3), 0);
    a.stack.forget_waiter(&going);
    bench.run_for(1000);
    a.stack.close();
    EXPECT_EQ(going.pending(), 0u);
    EXPECT_EQ(staying.pending(), 1u) << "the others' completions still come";
    EXPECT_FALSE(b.read(pgn_data).empty()) << "the broadcast went all the same";
}

TEST(Zev_transport_bus, sends_fail_at_once_when_the_bus_stops_taking_frames)
{
    Zev_bench bench;
    auto* bus = new Refusing_bus(bench.bus_name());
    auto& a = bench.add_node(bus);
    auto& b = bench.add_node();
    ASSERT_TRUE(a.names().add_local_name(Known_names::get_seeder(1), 0x80, nullptr));
    ASSERT_TRUE(b.names().add_local_name(Known_names::get_tessaryn_master(2), 0x81, nullptr));
    bench.run_for(300);
    auto send = [&](int code) {
        return a.stack.write(ZEV_header(0x80, 0x81, pgn_data, 6, 10, 0), test_pattern(100).data(), 100, &a.waiter,
                             code);
    };
    ASSERT_EQ(send(1), 0); // its RTS is out
    ASSERT_EQ(send(2), 0); // queued behind it
    bus->refusing = true;  // as when the CAN server has gone
    bench.run_for(1300);
    std::vector<int32_t> done;
    for (auto& e : a.events_of(a.stack.get_completion_module()))
        done.push_back(int32_t(e.code));
    EXPECT_EQ(done, (std::vector<int32_t>{-1, -2})) << "the first as its packets are refused, the queued one at once";
    EXPECT_EQ(send(3), -1);
    EXPECT_TRUE(a.events().empty());
}

TEST(Zev_transport_bus, a_broadcast_whose_packets_the_bus_refuses_fails)
{
    Zev_bench bench;
    auto* bus = new Refusing_bus(bench.bus_name());
    auto& a = bench.add_node(bus);
    ASSERT_TRUE(a.names().add_local_name(Known_names::get_seeder(1), 0x80, nullptr));
    bench.run_for(300);
    ASSERT_EQ(a.stack.write(ZEV_header(0x80, 0xFF, pgn_data, 6, 10, 0), test_pattern(100).data(), 100, &a.waiter, 4),
              0); // its announcement is out
    bus->refusing = true;
    bench.run_for(1000);
    std::vector<int32_t> done;
    for (auto& e : a.events_of(a.stack.get_completion_module()))
        done.push_back(int32_t(e.code));
    EXPECT_EQ(done, std::vector<int32_t>{-4});
}

TEST_F(Zev_transport, the_throttler_pauses_between_groups_of_packets)
{
    a.stack.set_default_throttler(ZEV_trans::Throttler(100, 4));
    ASSERT_EQ(send(0x81, test_pattern(63)), 0); // 9 packets: 4, pause, 4, pause, 1
    bench.run_for(190);
    EXPECT_TRUE(completions().empty());
    bench.run_for(20);
    EXPECT_EQ(completions(), std::vector<int32_t>{7});
    EXPECT_EQ(b.read(pgn_data), test_pattern(63));
}

// The wire as the standard has it, against peers written from the standard.

TEST_F(Zev_transport, a_message_from_a_peer_is_taken_with_cts_and_end_of_message_acknowledgement)
{
    Frame_peer peer(bench);
    peer.send(0x1CEC8130, {16, 20, 0, 3, 0xFF, 0x00, 0xEF, 0x01}); // RTS 20 bytes, PGN 0x1EF00, 0x30 to 0x81
    bench.settle();
    EXPECT_EQ(peer.heard.back().id, 0x1CEC3081u);
    EXPECT_EQ(peer.last(pgn_tp_cm), (std::vector<uint8_t>{17, 3, 1, 0xFF, 0xFF, 0x00, 0xEF, 0x01}));
    auto data = test_pattern(20);
    for (uint8_t seq = 1; seq <= 3; ++seq) {
        std::vector<uint8_t> d{seq};
        for (int i = 0; i < 7; ++i)
            d.push_back((seq - 1) * 7 + i < 20 ? data[(seq - 1) * 7 + i] : 0xFF);
        peer.send(0x1CEB8130, d);
    }
    bench.settle();
    EXPECT_EQ(peer.last(pgn_tp_cm), (std::vector<uint8_t>{19, 20, 0, 3, 0xFF, 0x00, 0xEF, 0x01}));
    ZEV_header h;
    EXPECT_EQ(b.read(pgn_data, &h), data);
    EXPECT_EQ(h.get_source(), 0x30);
}

TEST_F(Zev_transport, a_sender_held_by_its_receiver_gives_up_when_no_cts_follows)
{
    Frame_peer peer(bench);
    ASSERT_EQ(send(0x30, test_pattern(20)), 0);
    bench.settle();
    EXPECT_EQ(peer.heard.back().id, 0x1CEC3080u);
    EXPECT_EQ(peer.last(pgn_tp_cm), (std::vector<uint8_t>{16, 20, 0, 3, 0xFF, 0x00, 0xEF, 0x01}));
    bench.run_for(1000);
    peer.send(0x1CEC8030, {17, 0, 0xFF, 0xFF, 0xFF, 0x00, 0xEF, 0x01}); // CTS 0: wait
    bench.run_for(1000);
    EXPECT_TRUE(completions().empty()) << "held: T4 is 1050 ms from the hold";
    bench.run_for(100);
    EXPECT_EQ(completions(), std::vector<int32_t>{-7});
    EXPECT_EQ(peer.last(pgn_tp_cm), (std::vector<uint8_t>{255, 3, 0xFF, 0xFF, 0xFF, 0x00, 0xEF, 0x01}));
}

TEST_F(Zev_transport, an_etp_message_goes_out_with_rts_cts_and_data_packet_offsets)
{
    Frame_peer peer(bench);
    ASSERT_EQ(send(0x30, test_pattern(2000)), 0);
    bench.settle();
    EXPECT_EQ(peer.last(pgn_etp_cm), (std::vector<uint8_t>{20, 0xD0, 0x07, 0, 0, 0x00, 0xEF, 0x01}));
    peer.heard.clear();
    peer.send(0x1CC88030, {21, 2, 0x11, 0x01, 0x00, 0x00, 0xEF, 0x01}); // CTS: 2 packets from 273
    bench.settle();
    ASSERT_EQ(peer.heard.size(), 3u);
    EXPECT_EQ(std::vector<uint8_t>(peer.heard[0].data, peer.heard[0].data + 8),
              (std::vector<uint8_t>{22, 2, 0x10, 0x01, 0x00, 0x00, 0xEF, 0x01}))
        << "DPO: 2 packets after an offset of 272";
    EXPECT_EQ(peer.heard[1].data[0], 1);
    EXPECT_EQ(peer.heard[1].data[1], test_pattern(2000)[272 * 7]);
    EXPECT_EQ(peer.heard[2].data[0], 2);
    peer.send(0x1CC88030, {21, 255, 1, 0, 0, 0x00, 0xEF, 0x01});     // the rest: 255 from 1,
    peer.send(0x1CC88030, {21, 31, 0x00, 0x01, 0, 0x00, 0xEF, 0x01}); // and 31 from 256
    bench.settle();
    EXPECT_EQ(peer.heard.size(), 3u + 1 + 255 + 1 + 31);
    peer.send(0x1CC88030, {23, 0xD0, 0x07, 0, 0, 0x00, 0xEF, 0x01}); // EOMA
    bench.settle();
    EXPECT_EQ(completions(), std::vector<int32_t>{7});
}

TEST_F(Zev_transport, an_end_of_message_acknowledgement_before_the_last_packet_is_no_success)
{
    Frame_peer peer(bench);
    ASSERT_EQ(send(0x30, test_pattern(20)), 0); // 3 packets
    bench.settle();
    peer.send(0x1CEC8030, {17, 1, 1, 0xFF, 0xFF, 0x00, 0xEF, 0x01}); // CTS: packet 1 only
    bench.settle();
    peer.send(0x1CEC8030, {19, 20, 0, 3, 0xFF, 0x00, 0xEF, 0x01}); // EOMA
    bench.settle();
    EXPECT_TRUE(completions().empty()) << "two packets never went out";
    bench.run_for(1300);
    EXPECT_EQ(completions(), std::vector<int32_t>{-7}) << "no CTS came for them";
}

TEST_F(Zev_transport, incoming_etp_messages_in_progress_share_one_memory_limit)
{
    Frame_peer peer(bench);
    const std::vector<uint8_t> rts_10_mib{20, 0x00, 0x00, 0xA0, 0x00, 0x00, 0xEF, 0x01};
    peer.send(0x1CC88130, rts_10_mib); // from 0x30
    bench.settle();
    EXPECT_EQ(peer.last(pgn_etp_cm).at(0), 21) << "a CTS: taken";
    peer.send(0x1CC88131, rts_10_mib); // from 0x31: together 20 MiB
    bench.settle();
    EXPECT_EQ(peer.heard.back().id, 0x1CC83181u);
    EXPECT_EQ(peer.last(pgn_etp_cm), (std::vector<uint8_t>{255, 2, 0xFF, 0xFF, 0xFF, 0x00, 0xEF, 0x01}));
    peer.send(0x1CEC8132, {16, 20, 0, 3, 0xFF, 0x00, 0xEF, 0x01}); // a TP RTS from 0x32
    bench.settle();
    EXPECT_EQ(peer.last(pgn_tp_cm).at(0), 17) << "TP messages still come in";
    peer.send(0x1CC88130, {255, 1, 0xFF, 0xFF, 0xFF, 0x00, 0xEF, 0x01}); // 0x30 gives up
    peer.send(0x1CC88131, rts_10_mib);
    bench.settle();
    EXPECT_EQ(peer.last(pgn_etp_cm).at(0), 21) << "the room given back is taken";
}

TEST_F(Zev_transport, a_transfer_from_the_null_or_global_address_is_not_answered)
{
    Frame_peer peer(bench);
    for (uint32_t source : {0xFEu, 0xFFu}) {
        peer.send(0x1CEC8100 | source, {16, 20, 0, 3, 0xFF, 0x00, 0xEF, 0x01}); // RTS
        peer.send(0x1CC88100 | source, {20, 0xD0, 0x07, 0, 0, 0x00, 0xEF, 0x01}); // ETP RTS
    }
    bench.run_for(5000);
    EXPECT_TRUE(peer.heard.empty()) << "no CTS, no abort: neither address is a node's";
}

TEST_F(Zev_transport, a_message_larger_than_the_node_takes_is_refused_at_once)
{
    Frame_peer peer(bench);
    peer.send(0x1CC88130, {20, 0x00, 0x00, 0x00, 0x02, 0x00, 0xEF, 0x01}); // ETP RTS of 32 MiB
    bench.settle();
    EXPECT_EQ(peer.last(pgn_etp_cm), (std::vector<uint8_t>{255, 2, 0xFF, 0xFF, 0xFF, 0x00, 0xEF, 0x01}));
}

}
