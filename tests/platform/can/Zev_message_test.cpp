#include "platform/can/ZEV_Waiter_list.h"
#include "platform/can/ZEV_grow_message.h"
#include "platform/can/ZEV_header.h"

#include <gtest/gtest.h>

namespace {

TEST(ZEV_header, identifiers_carry_priority_pgn_destination_and_source)
{
    struct Case {
        uint8_t source, destination;
        uint32_t pgn;
        uint8_t priority;
        uint32_t id;
        uint8_t destination_back;
    };
    const std::vector<Case> cases = {
        {0x80, 0x81, 0xEF00, 6, 0x18EF8180, 0x81},   // PDU1: destination in PS
        {0x80, 0x81, 0xEF55, 6, 0x18EF8180, 0x81},   // a PS given with a PDU1 PGN does not count
        {0x80, 0x81, 65097, 3, 0x0CFE4980, 0xFF},    // PDU2: always to all
        {0xFE, 0xFF, 0xEA00, 6, 0x18EAFFFE, 0xFF},
        {0x21, 0x30, 0x1EF00, 6, 0x19EF3021, 0x30},  // data page 1
    };
    for (const Case& c : cases) {
        ZEV_header h(c.source, c.destination, c.pgn, c.priority, 7, 8);
        EXPECT_EQ(h.get_can_id(), c.id) << std::hex << c.pgn;
        ZEV_header back = ZEV_header::from_can_id(c.id, 8, 0);
        EXPECT_EQ(back.get_source(), c.source);
        EXPECT_EQ(back.get_destination(), c.destination_back);
        EXPECT_EQ(back.get_pgn(), ZEV_header::normal_pgn(c.pgn));
        EXPECT_EQ(back.get_priority(), c.priority);
    }
}

TEST(ZEV_base_message, copy_from_no_resize_keeps_to_the_length_the_message_has)
{
    ZEV_grow_message reply(8), big(20, 0x41), small(3, 0x42);
    reply.copy_from_no_resize(big);
    EXPECT_EQ(reply.size(), 8u);
    EXPECT_EQ(reply.data()[7], 0x41);
    reply.copy_from_no_resize(small);
    EXPECT_EQ(reply.size(), 3u);
    reply.resize(8);
    EXPECT_EQ(reply.data()[2], 0x42);
    EXPECT_EQ(reply.data()[3], 0xFF) << "room given back holds the fill value";
}

TEST(ZEV_Waiter_list, adds_each_waiter_once_up_to_its_size_and_removes_keeping_the_order)
{
    waiter_descriptor w[4];
    ZEV::Waiter_list<3> list;
    EXPECT_TRUE(list.add(&w[0]));
    EXPECT_TRUE(list.add(&w[1]));
    EXPECT_TRUE(list.add(&w[0]));
    EXPECT_TRUE(list.add(&w[2]));
    EXPECT_FALSE(list.add(&w[3]));
    EXPECT_EQ(list.count(), 3);
    EXPECT_TRUE(list.remove(&w[0]));
    EXPECT_FALSE(list.remove(&w[0]));
    EXPECT_EQ(list.get(0), &w[1]);
    EXPECT_EQ(list.get(1), &w[2]);
    EXPECT_EQ(list.get(2), nullptr);
    list.post_all(waiter_event{5, 6, nullptr, nullptr});
    waiter_event e;
    EXPECT_TRUE(w[1].poll(e));
    EXPECT_TRUE(w[2].poll(e));
    EXPECT_FALSE(w[0].poll(e));
}

}
