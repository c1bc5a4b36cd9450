#include "platform/can/Known_names.h"
#include "platform/can/ZEV_Transmission.h"
#include "platform/can/ZEV_grow_message.h"
#include "platform/io/Binary_message.h"
#include "tests/platform/can/Zev_bench.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t pgn_proprietary_a = 0xEF00;   // PDU1: to one address
constexpr uint32_t pgn_ground_speed = 65097;     // PDU2: to all
constexpr uint32_t pgn_software_id = 65242;
constexpr uint32_t pgn_request = 0xEA00;
constexpr uint32_t pgn_acknowledgement = 0xE800;

class Zev_pgn : public Three_nodes {
protected:
    void register_all(uint32_t pgn)
    {
        for (auto* n : {&a, &b, &c})
            ASSERT_EQ(n->stack.register_pgn(pgn, &n->waiter, nullptr, ZEV_stack::PGN_DATA), 0);
    }
    int write_now(uint8_t from, uint8_t to, uint32_t pgn, std::vector<uint8_t> data)
    {
        return a.stack.write_now(ZEV_header(from, to, pgn, 6, 7, uint32_t(data.size())), data.data());
    }
};

TEST_F(Zev_pgn, a_frame_to_one_address_reaches_only_its_addressee)
{
    register_all(pgn_proprietary_a);
    ASSERT_EQ(write_now(0x80, 0x81, pgn_proprietary_a, {1, 2, 3, 4, 5, 6, 7, 8}), 0);
    bench.settle();

    auto events = b.events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].module, b.stack.get_receive_module());
    EXPECT_EQ(events[0].code, pgn_proprietary_a);
    ZEV_header h;
    EXPECT_EQ(b.read(pgn_proprietary_a, &h), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(h.get_source(), 0x80);
    EXPECT_EQ(h.get_destination(), 0x81);
    EXPECT_EQ(h.get_pgn(), pgn_proprietary_a);
    EXPECT_EQ(h.get_priority(), 6);
    EXPECT_EQ(h.get_length(), 8u);
    EXPECT_TRUE(c.events().empty());
    EXPECT_TRUE(a.events().empty());
    EXPECT_TRUE(c.read(pgn_proprietary_a).empty());
}

TEST_F(Zev_pgn, a_frame_to_all_reaches_every_registered_node)
{
    register_all(pgn_ground_speed);
    ASSERT_EQ(write_now(0x80, 0x81, pgn_ground_speed, {0x10, 0x27}), 0) << "a PDU2 PGN goes to all whatever the destination";
    bench.settle();
    EXPECT_EQ(b.read(pgn_ground_speed), (std::vector<uint8_t>{0x10, 0x27}));
    EXPECT_EQ(c.read(pgn_ground_speed), (std::vector<uint8_t>{0x10, 0x27}));
    EXPECT_TRUE(a.read(pgn_ground_speed).empty()) << "a node does not hear itself";
}

TEST_F(Zev_pgn, read_takes_messages_in_order_keeps_to_the_buffer_and_fails_when_none_is_left)
{
    register_all(pgn_proprietary_a);
    ASSERT_EQ(write_now(0x80, 0x81, pgn_proprietary_a, {1, 2, 3, 4, 5, 6, 7, 8}), 0);
    ASSERT_EQ(write_now(0x80, 0x81, pgn_proprietary_a, {9}), 0);
    bench.settle();
    uint8_t buf[8] = {};
    ZEV_header h;
    EXPECT_EQ(b.stack.read(pgn_proprietary_a, h, buf, 3, &b.waiter, 0), 3);
    EXPECT_EQ(h.get_length(), 3u) << "the header tells what was copied";
    EXPECT_EQ(buf[2], 3);
    EXPECT_EQ(buf[3], 0) << "nothing past the buffer's size";
    EXPECT_EQ(b.stack.read(pgn_proprietary_a, h, buf, 8, &b.waiter, 0), 1);
    EXPECT_EQ(buf[0], 9);
    EXPECT_LT(b.stack.read(pgn_proprietary_a, h, buf, 8, &b.waiter, 0), 0);
    EXPECT_LT(b.stack.read(pgn_ground_speed, h, buf, 8, &b.waiter, 0), 0) << "not registered";
}

TEST_F(Zev_pgn, a_registration_keeps_at_most_its_limit_of_unread_messages)
{
    register_all(pgn_proprietary_a);
    Debug_capture capture;
    for (size_t i = 0; i <= ZEV_stack::max_queued; ++i)
        ASSERT_EQ(write_now(0x80, 0x81, pgn_proprietary_a, {uint8_t(i)}), 0);
    bench.settle();
    EXPECT_NE(capture.text().find("unread messages of PGN"), std::string::npos) << capture.text();
    EXPECT_EQ(b.events().size(), ZEV_stack::max_queued) << "none for the one dropped";
    for (size_t i = 0; i < ZEV_stack::max_queued; ++i)
        ASSERT_EQ(b.read(pgn_proprietary_a), std::vector<uint8_t>{uint8_t(i)}) << "the oldest kept, in order";
    EXPECT_TRUE(b.read(pgn_proprietary_a).empty());
}

TEST_F(Zev_pgn, after_deregistering_no_events_come_and_twice_registered_is_registered_once)
{
    int16_t id = 0;
    ASSERT_EQ(b.stack.register_pgn(pgn_proprietary_a, &b.waiter, &id, 1), 0);
    ASSERT_EQ(b.stack.register_pgn(pgn_proprietary_a, &b.waiter, &id, 0), 0);
    EXPECT_EQ(id, b.stack.get_receive_module());
    ASSERT_EQ(write_now(0x80, 0x81, pgn_proprietary_a, {1}), 0);
    bench.settle();
    EXPECT_EQ(b.events().size(), 1u);
    EXPECT_EQ(b.stack.deregister_pgn(pgn_proprietary_a, &b.waiter, 0), 0);
    EXPECT_EQ(b.stack.deregister_pgn(pgn_proprietary_a, &b.waiter, 0), -1);
    ASSERT_EQ(write_now(0x80, 0x81, pgn_proprietary_a, {2}), 0);
    bench.settle();
    EXPECT_TRUE(b.events().empty());
}

TEST_F(Zev_pgn, write_now_refuses_an_address_this_node_does_not_hold_and_more_than_8_bytes)
{
    bench.hub().set_recording(true);
    EXPECT_EQ(write_now(0x81, 0x21, pgn_proprietary_a, {1}), -1);
    EXPECT_EQ(write_now(0x80, 0x21, pgn_proprietary_a, test_pattern(9)), -1);
    EXPECT_TRUE(bench.hub().recorded().empty());
}

TEST_F(Zev_pgn, a_single_frame_write_completes_with_its_code)
{
    std::vector<uint8_t> data{1, 2, 3};
    ASSERT_EQ(a.stack.write(ZEV_header(0x80, 0x81, pgn_proprietary_a, 6, 7, 0), data.data(), 3, &a.waiter, 100), 0);
    auto events = a.events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].module, a.stack.get_completion_module());
    EXPECT_EQ(int32_t(events[0].code), 100);
    EXPECT_EQ(a.stack.write(ZEV_header(0x81, 0x80, pgn_proprietary_a, 6, 7, 0), data.data(), 3, &a.waiter, 100), -1);
    EXPECT_TRUE(a.events().empty()) << "a refused write has no completion";
}

TEST_F(Zev_pgn, a_request_for_a_registered_pgn_reaches_its_task_and_is_acknowledged)
{
    int16_t id = 0;
    ASSERT_EQ(b.stack.register_pgn(pgn_software_id, &b.waiter, &id, ZEV_stack::PGN_REQUEST), 0);
    EXPECT_EQ(id, b.stack.get_request_module());
    ASSERT_EQ(a.stack.register_pgn(pgn_acknowledgement, &a.waiter, nullptr, 0), 0);
    uint8_t requested[3];
    Binary_message::set_uint24_le(requested, pgn_software_id);
    ASSERT_EQ(write_now(0x80, 0x81, pgn_request, {requested[0], requested[1], requested[2]}), 0);
    bench.settle();

    auto events = b.events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].module, b.stack.get_request_module());
    EXPECT_EQ(events[0].code, pgn_software_id);
    ZEV_header h;
    EXPECT_EQ(b.read(pgn_software_id, &h, ZEV_stack::PGN_REQUEST).size(), 3u);
    EXPECT_EQ(h.get_pgn(), pgn_software_id);
    EXPECT_EQ(h.get_source(), 0x80);
    EXPECT_EQ(h.get_destination(), 0x81);

    ASSERT_EQ(b.stack.send_ack(0x81, pgn_software_id, true, 0x80), 0);
    bench.settle();
    std::vector<uint8_t> ack = a.read(pgn_acknowledgement, &h);
    ASSERT_EQ(ack.size(), 8u);
    EXPECT_EQ(ack[0], 0) << "positive";
    EXPECT_EQ(ack[4], 0x80) << "names the requester";
    EXPECT_EQ(Binary_message::get_uint24_le(&ack[5]), pgn_software_id);
    EXPECT_EQ(h.get_source(), 0x81);
    EXPECT_EQ(h.get_destination(), 0xFF);
}

TEST_F(Zev_pgn, a_request_to_this_node_that_no_task_takes_gets_a_negative_acknowledgement)
{
    ASSERT_EQ(a.stack.register_pgn(pgn_acknowledgement, &a.waiter, nullptr, 0), 0);
    ASSERT_EQ(write_now(0x80, 0x81, pgn_request, {0x00, 0xEF, 0x00}), 0);
    bench.settle();
    std::vector<uint8_t> nack = a.read(pgn_acknowledgement);
    ASSERT_EQ(nack.size(), 8u);
    EXPECT_EQ(nack[0], 1);
    EXPECT_EQ(nack[4], 0x80);
    ASSERT_EQ(write_now(0x80, 0xFF, pgn_request, {0x00, 0xEF, 0x00}), 0);
    bench.settle();
    EXPECT_TRUE(a.read(pgn_acknowledgement).empty()) << "a request to all is not refused";
}

TEST_F(Zev_pgn, a_request_response_goes_to_all_or_to_the_requester_as_the_request_did)
{
    register_all(pgn_software_id);
    ZEV::Transmission<ZEV_grow_message> reply(20);
    std::copy_n(test_pattern(20).begin(), 20, reply.data());
    // b answers a request that came to it from a (0x80); c listens too.
    ASSERT_EQ(reply.nwrite_request_response(&b.stack, Known_names::get_tessaryn_master(2), 0x80, 6, pgn_software_id, 0x81), 0);
    bench.run_for(100);
    EXPECT_EQ(a.read(pgn_software_id), test_pattern(20));
    EXPECT_TRUE(c.read(pgn_software_id).empty());

    ASSERT_EQ(reply.nwrite_request_response(&b.stack, Known_names::get_tessaryn_master(2), 0x80, 6, pgn_software_id, 0xFF), 0);
    bench.run_for(1000);
    EXPECT_EQ(a.read(pgn_software_id), test_pattern(20));
    EXPECT_EQ(c.read(pgn_software_id), test_pattern(20));

    EXPECT_EQ(reply.write_global(&b.stack, Known_names::get_seeder(9), pgn_software_id, 6, 7, nullptr, 1), -1)
        << "a NAME that is not this node's has no address to send from";
}

TEST_F(Zev_pgn, read_address_fills_the_message_and_gives_the_sender)
{
    register_all(pgn_ground_speed);
    ASSERT_EQ(write_now(0x80, 0xFF, pgn_ground_speed, {0x10, 0x27}), 0);
    bench.settle();
    ZEV::Transmission<ZEV_grow_message> speed(8);
    uint8_t source = 0;
    EXPECT_EQ(speed.read_address(&b.stack, pgn_ground_speed, &b.waiter, source), 2);
    EXPECT_EQ(source, 0x80);
    EXPECT_EQ(speed.data()[1], 0x27);
    EXPECT_EQ(speed.data()[2], 0xFF) << "the rest keeps its fill";
}

}
