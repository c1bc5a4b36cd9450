#include "platform/data/CDS_Virt_listener.h"
#include "platform/rtos/Diner.h"
#include "tests/data_store/Store_fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace {

// A task whose members follow the store through listeners.
class Following_task : public Diner {
public:
    struct Call {
        CDS::Virt_listener<Following_task>* listener;
        waiter_event event;
        std::thread::id thread;
    };

    explicit Following_task(module_man& manager)
    {
        init(&manager, nullptr, "Follower", 50, 6144, true, false);
    }
    ~Following_task() override { terminate(1, 1000); }

    void handle_virt_listener_event(CDS::Virt_listener<Following_task>* listener, waiter_event& event)
    {
        calls.push_back({listener, event, std::this_thread::get_id()});
        if (calls.size() == 2)
            both_called.set_value();
    }

    CDS::Virt_listener<Following_task> speed{this};
    CDS::Virt_listener<Following_task> channel{this};
    std::vector<Call> calls;
    std::promise<void> both_called;
    std::thread::id task_thread;

protected:
    void diner_start() override { task_thread = std::this_thread::get_id(); }
};

TEST(Listener, a_change_reaches_the_owner_on_the_listeners_task_with_the_listener_and_its_word)
{
    Store_fixture f;
    data_store_body& b = f.body();
    Following_task task(f.manager);
    task.speed.init(CDS::Access_base(f.head(), f.offset_of(&b.vehicle.speed), 4));
    task.channel.init(CDS::Access_base(f.head(), f.offset_of(&b.channels.channels[2]), sizeof(ds_channel)));
    task.speed.autoreg(task.get_waiter());
    task.channel.autoreg(task.get_waiter());
    ASSERT_TRUE(task.start());
    auto called = task.both_called.get_future();

    f.head().set(b.channels.channels[1].requested_rate, 1.0); // a neighbour: not followed
    f.head().set(b.vehicle.speed, 3.5f);
    f.head().set(b.channels.channels[2].requested_rate, 12.5);

    ASSERT_EQ(called.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    ASSERT_TRUE(task.terminate(1, 1000));
    ASSERT_EQ(task.calls.size(), 2u);
    EXPECT_EQ(task.calls[0].listener, &task.speed);
    EXPECT_EQ(task.calls[0].event.code, CDS::event_word(&b.vehicle.speed, 4));
    EXPECT_EQ(task.calls[1].listener, &task.channel);
    EXPECT_EQ(task.calls[1].event.code, CDS::event_word(&b.channels.channels[2], sizeof(ds_channel)));
    for (const Following_task::Call& call : task.calls) {
        EXPECT_EQ(call.event.module, f.head().get_module_id());
        EXPECT_EQ(call.thread, task.task_thread);
        EXPECT_NE(call.thread, std::this_thread::get_id());
    }
}

struct Recorder {
    int calls = 0;
    void handle_virt_listener_event(CDS::Virt_listener<Recorder>*, waiter_event&) { ++calls; }
};

TEST(Listener, unregistering_drops_the_events_already_queued_for_the_listener)
{
    Store_fixture f;
    Recorder owner;
    CDS::Virt_listener<Recorder> listener(&owner, CDS::Access_base(f.head(), f.offset_of(&f.body().system.alive), 1));
    CDS::Virt_listener<Recorder> other(&owner, CDS::Access_base(f.head(), f.offset_of(&f.body().system.alive), 1));
    listener.autoreg(f.waiter);
    other.autoreg(f.waiter);
    f.head().set(f.body().system.alive, false);
    f.head().set(f.body().system.alive, true);
    ASSERT_EQ(f.waiter.pending(), 4u);

    listener.autounreg(f.waiter);
    EXPECT_EQ(listener.get_waiter(), nullptr);
    f.head().set(f.body().system.alive, false);
    std::vector<waiter_event> events = take_events(f.waiter);
    ASSERT_EQ(events.size(), 3u);
    for (const waiter_event& e : events)
        EXPECT_EQ(e.listener, &other);
}

TEST(Listener, once_unregistered_while_another_thread_writes_no_event_for_the_listener_is_left)
{
    Store_fixture f;
    Recorder owner;
    CDS::Virt_listener<Recorder> listener(&owner, CDS::Access_base(f.head(), f.offset_of(&f.body().vehicle.speed), 4));
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; !done; ++i)
            f.head().set(f.body().vehicle.speed, float(i));
    });
    // The writer must be joined whatever happens, so a failure ends the rounds.
    bool sound = true;
    for (int round = 0; round < 300 && sound; ++round) {
        listener.autoreg(f.waiter);
        // Unregister only while changes are reaching the listener.
        auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (f.waiter.pending() == 0 && std::chrono::steady_clock::now() < give_up)
            std::this_thread::yield();
        sound = f.waiter.pending() > 0;
        EXPECT_TRUE(sound) << "no change reached the listener in round " << round;
        listener.autounreg(f.waiter);
        size_t left = f.waiter.pending();
        EXPECT_EQ(left, 0u) << "round " << round;
        sound = sound && left == 0;
    }
    done = true;
    writer.join();
    EXPECT_EQ(owner.calls, 0);
}

TEST(Listener, a_listener_destroyed_while_registered_leaves_no_registration_behind)
{
    Store_fixture f;
    Recorder owner;
    {
        CDS::Virt_listener<Recorder> listener(&owner, CDS::Access_base(f.head(), f.offset_of(&f.body().vehicle), 20));
        listener.autoreg(f.waiter);
        f.head().set(f.body().vehicle.gps_speed, 1.0f);
    }
    EXPECT_EQ(f.waiter.pending(), 0u);
    f.head().set(f.body().vehicle.gps_speed, 2.0f);
    EXPECT_EQ(f.waiter.pending(), 0u);
}

TEST(Listener, registering_again_on_another_waiter_moves_the_listener_there)
{
    Store_fixture f;
    Recorder owner;
    waiter_descriptor second;
    CDS::Virt_listener<Recorder> listener(&owner, CDS::Access_base(f.head(), f.offset_of(&f.body().system.vt_alive), 1));
    listener.autoreg(f.waiter);
    listener.autoreg(f.waiter);
    listener.autoreg(second);
    f.head().set(f.body().system.vt_alive, true);
    EXPECT_EQ(f.waiter.pending(), 0u);
    waiter_event event;
    ASSERT_TRUE(second.poll(event));
    event.listener->handle_listener_event(event);
    EXPECT_EQ(owner.calls, 1);
    EXPECT_FALSE(second.poll(event));
}

}
