#include "messaging/cds/CDS_Remote_Server.h"
#include "platform/data/NV_Virt_access.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"
#include "tests/messaging/Remote_peer.h"
#include "tests/messaging/Small_tree.h"

#include <gtest/gtest.h>

using namespace Remote_peer;

namespace {

const std::string small_description =
    "1:1:remote{1:2:cds{},1:3:nv{1:4:t{4:5:a,1:6:rec{5:7:b,9:8:c},1:9:empty{}}}}";

class Remote_server : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.add_nv(tree);
        server.build_ids();
    }
    std::vector<Sent> ask(Backend& backend, const Bytes& message)
    {
        server.handle_message(backend, message.data(), int(message.size()));
        return wire.take();
    }
    // The one reply to a request.
    Bytes reply(const Bytes& message)
    {
        auto sent = ask(one, message);
        EXPECT_EQ(sent.size(), 1u);
        return sent.empty() ? Bytes{} : sent[0].message;
    }
    // The description text in a 0x02 reply, checked for its frame.
    std::string ids_text(const Bytes& m, uint32_t offset)
    {
        EXPECT_GE(m.size(), 5u);
        EXPECT_EQ(m[0], 0x02);
        EXPECT_EQ(u24(m, 1), offset);
        EXPECT_EQ(m.back(), 0) << "the filler byte";
        return std::string(m.begin() + 4, m.end() - 1);
    }

    module_man manager;
    Small_tree tree{&manager};
    CDS::Remote::Server server;
    Wire wire;
    Backend one{wire, 1};
};

TEST_F(Remote_server, the_description_names_every_item_with_its_type_and_id_in_braces_and_commas)
{
    char text[256];
    EXPECT_EQ(server.get_ids_text(text, 0, sizeof text, 0, 255), int(small_description.size()));
    EXPECT_EQ(text, small_description);
    EXPECT_EQ(server.get_ids_length(), small_description.size());
    EXPECT_EQ(inflate(server.get_ids_compressed(), small_description.size()), small_description)
        << "compressed without its terminator";
}

TEST_F(Remote_server, a_whole_tree_request_copies_the_compressed_description_and_ends_with_an_empty_slice)
{
    const Bytes& packed = server.get_ids_compressed();
    ASSERT_LT(packed.size(), 94u);
    Bytes first = reply(request_ids(0, 0, 0));
    EXPECT_EQ(ids_text(first, 0), std::string(packed.begin(), packed.end()));
    Bytes end = reply(request_ids(0, uint32_t(packed.size()), 0));
    EXPECT_EQ(end.size(), 5u);
    EXPECT_EQ(ids_text(end, uint32_t(packed.size())), "");
    EXPECT_EQ(reply(request_ids(0, 0x123456, 0)).size(), 5u) << "far beyond the end";
}

TEST_F(Remote_server, a_sub_tree_request_renders_from_its_item_offset_and_depth)
{
    struct Case {
        uint16_t id;
        uint32_t offset;
        uint8_t depth;
        std::string text;
    } cases[] = {
        {small_ids::rec, 0, 0, "1:6:rec"},
        {small_ids::rec, 0, 1, "1:6:rec{5:7:b,9:8:c}"},
        {small_ids::t, 0, 1, "1:4:t{4:5:a,1:6:rec,1:9:empty}"},
        {small_ids::t, 0, 255, "1:4:t{4:5:a,1:6:rec{5:7:b,9:8:c},1:9:empty{}}"},
        {small_ids::rec, 4, 255, "rec{5:7:b,9:8:c}"},
        {small_ids::b, 0, 255, "5:7:b"},
        {small_ids::empty, 0, 3, "1:9:empty{}"},
        {small_ids::rec, 100, 255, ""},
        {999, 0, 255, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ids_text(reply(request_ids(c.id, c.offset, c.depth)), c.offset), c.text)
            << "id " << c.id << " offset " << c.offset << " depth " << int(c.depth);
}

TEST_F(Remote_server, a_value_reply_echoes_the_requested_pos_and_encodes_from_it)
{
    struct Case {
        uint16_t id, pos;
        Bytes value;
    } cases[] = {
        {small_ids::a, 0, {7}},
        {small_ids::rec, 0, {0x34, 0x12, 0xFB, 0xFF, 0xFF, 0xFF}},
        {small_ids::rec, small_ids::rec, {0x34, 0x12, 0xFB, 0xFF, 0xFF, 0xFF}},
        {small_ids::rec, small_ids::c, {0xFB, 0xFF, 0xFF, 0xFF}},
        {small_ids::rec, small_ids::a, {}},
        {small_ids::empty, 0, {}},
    };
    for (const Case& c : cases) {
        Bytes expected = {0x03, uint8_t(c.id), uint8_t(c.id >> 8), uint8_t(c.pos), uint8_t(c.pos >> 8)};
        expected.insert(expected.end(), c.value.begin(), c.value.end());
        EXPECT_EQ(reply(request_value(0x83, c.id, c.pos)), expected) << "id " << c.id << " pos " << c.pos;
    }
}

struct Counting_listener : NV_store::Virt_access {
    int heard = 0;
    void changed(waiter_event&) override { ++heard; }
};

int dispatch_all(waiter_descriptor& waiter)
{
    int n = 0;
    waiter_event event;
    while (waiter.poll(event)) {
        if (event.listener)
            event.listener->handle_listener_event(event);
        ++n;
    }
    return n;
}

TEST_F(Remote_server, a_set_value_writes_the_items_from_pos_tells_the_listeners_and_answers_the_new_value)
{
    waiter_descriptor waiter;
    Counting_listener on_c, on_b;
    on_c.init(&tree.rec.c);
    on_b.init(&tree.rec.b);
    ASSERT_TRUE(on_c.autoreg(waiter, false));
    ASSERT_TRUE(on_b.autoreg(waiter, false));

    Bytes answer = reply(set_value(small_ids::rec, small_ids::c, {100, 0, 0, 0}));
    EXPECT_EQ(tree.rec.c.get(), 100);
    EXPECT_EQ(tree.rec.b.get(), 0x1234) << "before pos: untouched";
    EXPECT_EQ(answer, (Bytes{0x03, small_ids::rec, 0, small_ids::c, 0, 100, 0, 0, 0}));
    EXPECT_EQ(dispatch_all(waiter), 1);
    EXPECT_EQ(on_c.heard, 1);
    EXPECT_EQ(on_b.heard, 0);
}

TEST_F(Remote_server, a_set_value_cut_short_keeps_the_item_and_still_answers)
{
    Bytes answer = reply(set_value(small_ids::c, 0, {1, 2, 3}));
    EXPECT_EQ(tree.rec.c.get(), -5);
    EXPECT_EQ(answer, (Bytes{0x03, small_ids::c, 0, 0, 0, 0xFB, 0xFF, 0xFF, 0xFF}));
}

TEST_F(Remote_server, the_crc_reply_carries_zero_and_the_description_length)
{
    Bytes m = reply({0x85});
    ASSERT_EQ(m.size(), 9u);
    EXPECT_EQ(m[0], 0x05);
    EXPECT_EQ(u32(m, 1), 0u);
    EXPECT_EQ(u32(m, 5), small_description.size());
}

TEST_F(Remote_server, unknown_ids_other_types_and_requests_shorter_than_their_fixed_part_get_no_reply)
{
    const Bytes silent[] = {
        {},
        {0x81, 5, 0, 0, 0},
        {0x88, 5, 0, 0, 0},
        {0x02, 0, 0, 0, 0},
        {0x82, 0, 0, 0, 0, 0},
        {0x83, 5, 0, 0},
        {0x83},
        {0x84, 5, 0, 0},
        {0x86, 5, 0, 0},
        {0x87, 5},
        request_value(0x83, 999, 0),
        set_value(999, 0, {1}),
        request_value(0x86, 999, 0),
        cancel(999),
        request_value(0x83, 0, 0),
    };
    for (const Bytes& m : silent) {
        EXPECT_TRUE(ask(one, m).empty()) << "message of " << m.size() << " bytes, type "
                                         << (m.empty() ? -1 : int(m[0]));
    }
    EXPECT_EQ(server.get_in_flight(), 0);
    EXPECT_EQ(tree.a.get(), 7);
}

}
