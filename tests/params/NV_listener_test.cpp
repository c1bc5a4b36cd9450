#include "params/parameters_t.h"
#include "platform/data/NV_Virt_listener.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/module_man.h"
#include "tests/params/Tree_helpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

using namespace NV_quvel;

class Listeners : public testing::Test, protected Listener_log {
protected:
    module_man modules;
    parameters_t tree{&modules, 0, "PS"};
};

TEST_F(Listeners, a_record_listener_hears_a_change_anywhere_below_it)
{
    listen(*tree.app.channels[3], "channel 3", true);
    listen(*tree.app.channels[4], "channel 4", true);

    tree.app.channels[3]->rate_filter[2]->rate_filter_coefficient.set(0.5f);
    EXPECT_EQ(heard(), std::vector<std::string>{"channel 3"});
    tree.app.channels[3]->rate_filter[2]->rate_filter_coefficient.set(0.5f);
    EXPECT_EQ(heard(), std::vector<std::string>{});
    tree.app.channels[3]->name.set("Barley", 7);
    EXPECT_EQ(heard(), std::vector<std::string>{"channel 3"});
}

TEST_F(Listeners, a_listener_for_the_item_alone_hears_only_the_item)
{
    listen(*tree.app.channels[3], "channel 3", false);
    listen(tree.app.channels[3]->enabled, "enabled", false);

    tree.app.channels[3]->mode.set(1);
    EXPECT_EQ(heard(), std::vector<std::string>{});
    tree.app.channels[3]->enabled.set(true);
    EXPECT_EQ(heard(), std::vector<std::string>{"enabled"});
}

TEST_F(Listeners, the_event_names_the_tree_the_cause_and_the_watched_item)
{
    Logging_listener& root = listen(tree, "tree", true);
    tree.system.non_vtt_connected.set(true);
    ASSERT_EQ(heard(), std::vector<std::string>{"tree"});
    EXPECT_GT(tree.get_module_id(), 0);
    EXPECT_EQ(root.last_event.module, tree.get_module_id());
    EXPECT_EQ(root.last_event.code, NV_store::notify_set);
    EXPECT_EQ(root.last_event.data, &tree);
    EXPECT_EQ(root.last_event.listener, &root);
}

TEST_F(Listeners, signal_all_reaches_every_listener_once)
{
    listen(tree, "tree", true);
    listen(tree.system.tc_enabled, "tc_enabled", false);
    listen(*tree.app.fans[1], "fan 1", false);
    tree.signal_all();
    EXPECT_EQ(heard(), (std::vector<std::string>{"tree", "fan 1", "tc_enabled"}));
}

TEST_F(Listeners, unregistering_drops_what_is_queued_and_stops_what_would_follow)
{
    Logging_listener& listener = listen(tree.app.save_time, "save_time", false);
    tree.app.save_time.set(5);
    ASSERT_EQ(waiter.pending(), 1u);
    listener.autounreg(waiter);
    EXPECT_EQ(waiter.pending(), 0u);
    tree.app.save_time.set(6);
    EXPECT_EQ(waiter.pending(), 0u);

    EXPECT_TRUE(listener.autoreg(waiter, false));
    tree.app.save_time.set(7);
    EXPECT_EQ(heard(), std::vector<std::string>{"save_time"});
}

TEST_F(Listeners, once_unregistered_while_another_thread_writes_no_event_for_the_listener_is_left)
{
    Logging_listener& listener = listen(tree.app.save_time, "save_time", false);
    listener.autounreg(waiter);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (uint8_t i = 0; !done; ++i)
            tree.app.save_time.set(i);
    });
    // The writer must be joined whatever happens, so a failure ends the rounds.
    bool sound = true;
    for (int round = 0; round < 300 && sound; ++round) {
        listener.autoreg(waiter, false);
        // Unregister only while changes are reaching the listener.
        auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (waiter.pending() == 0 && std::chrono::steady_clock::now() < give_up)
            std::this_thread::yield();
        sound = waiter.pending() > 0;
        EXPECT_TRUE(sound) << "no change reached the listener in round " << round;
        listener.autounreg(waiter);
        size_t left = waiter.pending();
        EXPECT_EQ(left, 0u) << "round " << round;
        sound = sound && left == 0;
    }
    done = true;
    writer.join();
}

TEST_F(Listeners, a_listener_moves_to_the_waiter_it_registers_on_last)
{
    Logging_listener& listener = listen(tree.app.save_time, "save_time", false);
    waiter_descriptor other;
    tree.app.save_time.set(5);
    EXPECT_TRUE(listener.autoreg(other, false));
    EXPECT_EQ(waiter.pending(), 0u);
    tree.app.save_time.set(6);
    EXPECT_EQ(other.pending(), 1u);
    EXPECT_EQ(waiter.pending(), 0u);
    listener.autounreg(other);
}

TEST_F(Listeners, a_destroyed_listener_hears_no_more)
{
    std::vector<std::string> log;
    {
        Logging_listener listener(log, "save_time");
        listener.init(&tree.app.save_time);
        listener.autoreg(waiter, false);
    }
    tree.app.save_time.set(5);
    EXPECT_EQ(waiter.pending(), 0u);
}

TEST(Listener, a_listener_may_outlive_its_item)
{
    waiter_descriptor waiter;
    std::vector<std::string> log;
    Logging_listener listener(log, "total");
    {
        total_t total;
        listener.init(&total);
        listener.autoreg(waiter, true);
        total.total.set(1.0f);
    }
    listener.autounreg(waiter);
    EXPECT_EQ(waiter.pending(), 0u);
}

TEST(Listener, a_listener_without_an_item_does_not_register)
{
    waiter_descriptor waiter;
    std::vector<std::string> log;
    Logging_listener listener(log, "nothing");
    EXPECT_FALSE(listener.autoreg(waiter, true));
    EXPECT_EQ(listener.get_waiter(), nullptr);
}

// An owner with two listeners, as the screens keep one per tank.
struct Tank_page {
    NV_store::Virt_listener<Tank_page> tank0{this}, tank1{this};
    std::vector<NV_store::Virt_access*> calls;
    std::thread::id thread;
    void handle_nv_listener_event(NV_store::Virt_listener<Tank_page>* listener)
    {
        calls.push_back(listener);
        thread = std::this_thread::get_id();
    }
};

TEST(Listener, a_virt_listener_calls_its_owner_on_the_task_that_receives_the_event)
{
    parameters_t tree;
    Diner task;
    Tank_page page;
    page.tank0.init(tree.app.channels[0]);
    page.tank1.init(tree.app.channels[1]);
    page.tank0.autoreg(task.get_waiter(), true);
    page.tank1.autoreg(task.get_waiter(), true);

    std::thread writer([&] {
        tree.app.channels[1]->enabled.set(true);
        tree.app.channels[0]->capacity.set(2000.0f);
    });
    writer.join();
    EXPECT_TRUE(page.calls.empty()); // posting never calls the receiver
    EXPECT_EQ(task.run_pending(), 2);
    EXPECT_EQ(page.calls, (std::vector<NV_store::Virt_access*>{&page.tank1, &page.tank0}));
    EXPECT_EQ(page.thread, std::this_thread::get_id());
}

TEST(Item_lock, is_recursive_for_its_holder_and_excludes_other_threads)
{
    products_t product;
    product.name.lock();
    product.name.lock();
    char chars[20];
    EXPECT_TRUE(product.name.copy_to(chars, 20)); // takes it again inside
    product.name.unlock();
    product.name.unlock();

    long counter = 0;
    auto work = [&] {
        for (int i = 0; i < 20000; ++i) {
            product.lock();
            long seen = counter;
            counter = seen + 1;
            product.unlock();
        }
    };
    std::thread a(work), b(work);
    a.join();
    b.join();
    EXPECT_EQ(counter, 40000);
}

}
