#include "data_store/Data_store.h"
#include "messaging/cds/CDS_Remote_Server.h"
#include "params/parameters_t.h"
#include "platform/data/CDS_Remote_Send_buffer.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"
#include "tests/messaging/Remote_peer.h"

#include <gtest/gtest.h>

#include <iostream>
#include <set>

using namespace Remote_peer;

namespace {

// The program's two trees, served as kx4 serves them.
class Remote_trees : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        trees = new Trees;
        trees->server.add_cds(trees->store.lookup);
        trees->server.add_nv(trees->parameters);
        trees->server.build_ids();
        std::vector<char> text(trees->server.get_ids_length() + 1);
        trees->server.get_ids_text(text.data(), 0, int(text.size()), 0, 255);
        trees->text = text.data();
        trees->entries = entries_of(trees->text);
    }
    static void TearDownTestSuite()
    {
        delete trees;
        trees = nullptr;
    }
    Bytes reply(const Bytes& message)
    {
        trees->server.handle_message(one, message.data(), int(message.size()));
        auto sent = wire.take();
        EXPECT_EQ(sent.size(), 1u);
        trees->server.on_tx_complete(100);
        return sent.empty() ? Bytes{} : sent[0].message;
    }
    static uint16_t id_of(const std::string& name)
    {
        for (const Entry& e : trees->entries)
            if (e.name == name)
                return uint16_t(e.id);
        ADD_FAILURE() << name << " not described";
        return 0;
    }

    struct Trees {
        module_man manager;
        Data_store store{&manager, "1.2.3"};
        NV_quvel::parameters_t parameters{&manager, 1, "PS"};
        CDS::Remote::Server server;
        std::string text;
        std::vector<Entry> entries;
    };
    static Trees* trees;
    Wire wire;
    Backend one{wire, 1};
};

Remote_trees::Trees* Remote_trees::trees = nullptr;

TEST_F(Remote_trees, every_item_has_its_own_id_below_30000_in_pre_order)
{
    const auto& entries = trees->entries;
    ASSERT_GT(entries.size(), 1000u);
    EXPECT_EQ(trees->text.rfind("1:1:remote{1:2:cds{1:3:data_store{", 0), 0u) << trees->text.substr(0, 60);
    char nv[32];
    std::snprintf(nv, sizeof nv, ",1:%x:nv{1:%x:PS{", unsigned(id_of("nv")), unsigned(id_of("nv") + 1));
    EXPECT_NE(trees->text.find(nv), std::string::npos) << "the parameter tree follows the store";
    for (size_t i = 0; i < entries.size(); ++i)
        ASSERT_EQ(entries[i].id, i + 1) << entries[i].name;
    EXPECT_LT(entries.back().id, 30000u);
    std::cout << "served items: " << entries.size() << ", description: " << trees->text.size() << " bytes, "
              << trees->server.get_ids_compressed().size() << " compressed\n";
}

TEST_F(Remote_trees, every_item_is_read_whole_in_replies_that_resume_where_the_last_stopped)
{
    std::vector<std::string> too_long;
    for (const Entry& e : trees->entries) {
        Data_item* item = trees->server.get_root().find_data_item(uint16_t(e.id));
        ASSERT_NE(item, nullptr) << e.name;
        ASSERT_EQ(item->get_name(), e.name);
        // The whole value at once, in room enough for the largest.
        std::vector<uint8_t> whole(200000);
        CDS::Remote::Send_buffer all(whole.data(), unsigned(whole.size()));
        uint16_t pos = 0;
        ASSERT_TRUE(item->serialise(all, pos).ok) << e.name;
        whole.resize(all.size());
        if (whole.size() <= 97)
            continue;
        EXPECT_EQ(e.type, 1u) << e.name << ": a value that is not a structure goes whole or not at all";
        too_long.push_back(e.name + "(" + std::to_string(e.id) + ", " + std::to_string(whole.size()) + " bytes)");
        if (e.id != 1 && e.id != 3)
            continue; // the slices of the biggest ones stand for the rest
        Bytes pieces;
        uint16_t from = 0;
        for (int replies = 0;; ++replies) {
            ASSERT_LT(replies, 10000);
            uint8_t room[97];
            CDS::Remote::Send_buffer part(room, sizeof room);
            uint16_t p = from;
            auto result = item->serialise(part, p);
            pieces.insert(pieces.end(), room, room + part.size());
            if (result.ok)
                break;
            ASSERT_GT(part.size(), 0u) << "a reply that brings nothing never ends";
            from = result.stop_id;
        }
        EXPECT_EQ(pieces, whole) << e.name;
    }
    std::cout << "items whose value needs more than one 97-byte reply (" << too_long.size() << "):";
    for (const auto& name : too_long)
        std::cout << " " << name;
    std::cout << "\n";
}

TEST_F(Remote_trees, the_compressed_description_comes_in_94_byte_slices_and_ends_with_an_empty_one)
{
    Bytes packed;
    uint32_t offset = 0;
    for (;;) {
        Bytes m = reply(request_ids(0, offset, 0));
        ASSERT_GE(m.size(), 5u);
        ASSERT_EQ(u24(m, 1), offset);
        size_t n = m.size() - 5;
        if (n == 0)
            break;
        ASSERT_TRUE(n == 94 || offset + n == trees->server.get_ids_compressed().size()) << "slice at " << offset;
        packed.insert(packed.end(), m.begin() + 4, m.end() - 1);
        offset += uint32_t(n);
    }
    EXPECT_EQ(packed, trees->server.get_ids_compressed());
    EXPECT_EQ(inflate(packed, trees->text.size()), trees->text);
}

TEST_F(Remote_trees, a_store_field_set_remotely_is_one_locked_write_with_one_event)
{
    bool& field = trees->store.body.operation.master_switch_active;
    waiter_descriptor waiter;
    CDS::Head& head = trees->store.head;
    head.event_register(&waiter, head.offset_of(&field), 1, CDS::reg_change, 77, nullptr, nullptr);
    const uint16_t id = id_of("master_switch_active");
    Bytes m = reply(set_value(id, 0, {1}));
    EXPECT_TRUE(field);
    EXPECT_EQ(m, (Bytes{0x03, uint8_t(id), uint8_t(id >> 8), 0, 0, 1}));
    waiter_event event;
    ASSERT_TRUE(waiter.poll(event));
    EXPECT_EQ(event.code, 77u);
    EXPECT_FALSE(waiter.poll(event)) << "one write, one event";
    head.event_unregister(&waiter, head.offset_of(&field), 1, CDS::reg_change, 77, nullptr, nullptr);
    head.set(field, false);
}

TEST_F(Remote_trees, a_watched_store_field_is_sent_after_a_write_from_elsewhere)
{
    bool& field = trees->store.body.operation.master_switch_active;
    const uint16_t id = id_of("master_switch_active");
    reply(request_value(0x86, id, 0));
    trees->store.head.set(field, true);
    trees->server.on_tx_complete(0);
    auto sent = wire.take();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].message, (Bytes{0x03, uint8_t(id), uint8_t(id >> 8), 0, 0, 1}));
    trees->server.on_tx_complete(100);
    trees->server.handle_message(one, cancel(id).data(), 3);
    trees->store.head.set(field, false);
}

}
