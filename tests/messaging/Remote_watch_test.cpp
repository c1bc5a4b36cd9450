#include "messaging/cds/CDS_Remote_Server.h"
#include "platform/rtos/module_man.h"
#include "tests/messaging/Remote_peer.h"
#include "tests/messaging/Small_tree.h"

#include <gtest/gtest.h>

#include <thread>

using namespace Remote_peer;

namespace {

// Watches on the small tree: each send is answered with its completion by
// the test, as the transport would.
class Remote_watch : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.add_nv(tree);
        server.build_ids();
    }
    void ask(Backend& backend, const Bytes& message)
    {
        server.handle_message(backend, message.data(), int(message.size()));
    }
    // Registers and lets the reply complete; returns the reply.
    Bytes watch(Backend& backend, uint16_t id)
    {
        ask(backend, request_value(0x86, id, 0));
        auto sent = wire.take();
        EXPECT_EQ(sent.size(), 1u);
        server.on_tx_complete(100);
        wire.take();
        return sent.empty() ? Bytes{} : sent[0].message;
    }
    // Completes the outstanding send; returns what left after it.
    std::vector<Sent> complete(int code = 100)
    {
        server.on_tx_complete(code);
        return wire.take();
    }
    // Notifications until none is left, completing each.
    std::vector<Sent> drain()
    {
        std::vector<Sent> all;
        for (;;) {
            auto sent = complete();
            if (sent.empty())
                return all;
            all.insert(all.end(), sent.begin(), sent.end());
        }
    }
    static Bytes value_message(uint16_t id, const Bytes& value)
    {
        Bytes m{0x03, uint8_t(id), uint8_t(id >> 8), 0, 0};
        m.insert(m.end(), value.begin(), value.end());
        return m;
    }

    module_man manager;
    Small_tree tree{&manager};
    CDS::Remote::Server server;
    Wire wire;
    Backend one{wire, 1};
    Backend two{wire, 2};
};

TEST_F(Remote_watch, a_register_answers_the_value_and_a_change_follows_once_the_reply_completed)
{
    ask(one, request_value(0x86, small_ids::a, 0));
    auto sent = wire.take();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].message, value_message(small_ids::a, {7}));
    EXPECT_EQ(server.get_in_flight(), 1);

    tree.a.set(9);
    EXPECT_TRUE(complete(0).empty()) << "the tick waits for the reply";
    EXPECT_TRUE(complete(50).empty()) << "a code that is no completion is ignored";
    EXPECT_EQ(server.get_in_flight(), 1);
    sent = complete(100);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].peer, 1);
    EXPECT_EQ(sent[0].message, value_message(small_ids::a, {9}));
    EXPECT_EQ(server.get_in_flight(), 1);
    EXPECT_TRUE(complete(-100).empty()) << "a failed send completes too";
    EXPECT_EQ(server.get_in_flight(), 0);
}

TEST_F(Remote_watch, notifications_leave_one_at_a_time_with_the_value_of_the_moment)
{
    watch(one, small_ids::a);
    tree.a.set(1);
    tree.a.set(2);
    tree.a.set(3);
    auto sent = drain();
    ASSERT_EQ(sent.size(), 3u) << "every change is sent";
    for (const Sent& s : sent)
        EXPECT_EQ(s.message, value_message(small_ids::a, {3}));
}

TEST_F(Remote_watch, the_tick_sends_when_nothing_is_in_flight)
{
    watch(one, small_ids::a);
    tree.a.set(1);
    tree.a.set(2);
    EXPECT_EQ(complete(0).size(), 1u);
    EXPECT_TRUE(complete(0).empty()) << "the first is still in flight";
    EXPECT_EQ(complete(100).size(), 1u);
}

TEST_F(Remote_watch, registering_twice_is_one_watch_and_a_second_peer_is_told_too)
{
    watch(one, small_ids::a);
    watch(one, small_ids::a);
    Bytes second = watch(two, small_ids::a);
    EXPECT_EQ(second, value_message(small_ids::a, {7}));
    tree.a.set(8);
    auto sent = drain();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].peer, 1);
    EXPECT_EQ(sent[1].peer, 2);
}

TEST_F(Remote_watch, a_crc_request_ends_only_the_watches_of_its_peer)
{
    watch(one, small_ids::a);
    watch(two, small_ids::a);
    watch(one, small_ids::b);
    ask(one, {0x85});
    complete();
    tree.a.set(8);
    tree.rec.b.set(8);
    auto sent = drain();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].peer, 2);

    watch(one, small_ids::a);
    tree.a.set(9);
    EXPECT_EQ(drain().size(), 2u) << "a register after the CRC request watches again";
}

TEST_F(Remote_watch, a_cancel_ends_that_peers_watch_of_the_item)
{
    watch(one, small_ids::a);
    watch(two, small_ids::a);
    ask(one, cancel(small_ids::a));
    EXPECT_TRUE(wire.take().empty()) << "no reply";
    tree.a.set(3);
    auto sent = drain();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].peer, 2);
}

TEST_F(Remote_watch, a_watched_record_is_sent_whole_when_a_field_below_it_changes)
{
    watch(one, small_ids::rec);
    tree.rec.b.set(0x0102);
    auto sent = drain();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].message, value_message(small_ids::rec, {0x02, 0x01, 0xFB, 0xFF, 0xFF, 0xFF}));
}

TEST_F(Remote_watch, a_refused_notification_goes_again_on_the_next_tick)
{
    watch(one, small_ids::a);
    tree.a.set(4);
    wire.accept = false;
    EXPECT_TRUE(complete(0).empty());
    EXPECT_EQ(server.get_in_flight(), 0) << "a refused send is not in flight";
    wire.accept = true;
    auto sent = complete(0);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].message, value_message(small_ids::a, {4}));
    EXPECT_TRUE(drain().empty());
}

TEST_F(Remote_watch, changes_from_several_threads_while_notifications_leave_are_each_sent_once)
{
    watch(one, small_ids::a);
    watch(two, small_ids::b);
    constexpr int per_thread = 300;
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([this, t] {
            for (int i = 1; i <= per_thread; ++i) {
                if (t % 2)
                    tree.rec.b.set(uint16_t(t * 1000 + i));
                else
                    tree.a.set(uint8_t(i % 2 + t));
            }
        });
    size_t sent = 0;
    for (int i = 0; i < 2000; ++i)
        sent += complete(i % 2 ? 100 : 0).size();
    for (auto& w : writers)
        w.join();
    sent += drain().size();
    // Every write is a change: a thread's values alternate or ascend, and
    // no two threads write the same value.
    EXPECT_EQ(sent, size_t(4 * per_thread));
}

}
