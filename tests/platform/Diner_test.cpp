#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Diner.h"

#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Records what the task's thread does, and signals when it has handled a
// given number of events.
class Recording_task : public Diner {
public:
    explicit Recording_task(size_t expected) : expected_(expected) { init(nullptr, nullptr, "Recorder", 50, 6144, true, false); }
    ~Recording_task() override { terminate(1, 1000); }

    std::vector<waiter_event> events;
    std::thread::id start_thread, stop_thread;
    std::vector<std::thread::id> event_threads;
    std::promise<void> all_handled;

protected:
    void diner_start() override { start_thread = std::this_thread::get_id(); }
    void diner_stop() override { stop_thread = std::this_thread::get_id(); }
    void handle_event(waiter_event& e) override
    {
        events.push_back(e);
        event_threads.push_back(std::this_thread::get_id());
        if (events.size() == expected_)
            all_handled.set_value();
    }

private:
    size_t expected_;
};

TEST(Diner, events_from_several_threads_reach_the_task_in_order_on_its_thread)
{
    constexpr int senders = 3, per_sender = 200;
    Recording_task task(senders * per_sender);
    auto handled = task.all_handled.get_future();
    ASSERT_TRUE(task.start());
    std::vector<std::thread> threads;
    for (int s = 0; s < senders; ++s)
        threads.emplace_back([&task, s] {
            for (int i = 0; i < per_sender; ++i)
                task.get_waiter().post(waiter_event{s + 1, uint32_t(i), nullptr, nullptr});
        });
    for (auto& t : threads)
        t.join();
    ASSERT_EQ(handled.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_TRUE(task.terminate(1, 1000));

    std::vector<uint32_t> next(senders + 1, 0);
    for (const waiter_event& e : task.events)
        EXPECT_EQ(e.code, next[size_t(e.module)]++);
    for (std::thread::id id : task.event_threads)
        EXPECT_EQ(id, task.start_thread);
    EXPECT_NE(task.start_thread, std::this_thread::get_id());
}

TEST(Diner, terminate_joins_the_thread_after_diner_stop_ran_on_it)
{
    Recording_task task(0);
    ASSERT_TRUE(task.start());
    EXPECT_TRUE(task.is_running());
    EXPECT_TRUE(task.terminate(1, 1000));
    EXPECT_FALSE(task.is_running());
    EXPECT_EQ(task.stop_thread, task.start_thread);
    EXPECT_NE(task.stop_thread, std::thread::id());
}

TEST(Diner, a_terminated_task_starts_again_and_handles_what_was_queued_while_it_stood)
{
    Recording_task task(2);
    ASSERT_TRUE(task.start());
    EXPECT_FALSE(task.start()); // one thread at a time
    ASSERT_TRUE(task.terminate(1, 1000));
    task.get_waiter().post(waiter_event{1, 1, nullptr, nullptr});
    task.get_waiter().post(waiter_event{1, 2, nullptr, nullptr});
    auto handled = task.all_handled.get_future();
    ASSERT_TRUE(task.start());
    ASSERT_EQ(handled.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_TRUE(task.terminate(1, 1000));
    ASSERT_EQ(task.events.size(), 2u);
    EXPECT_EQ(task.events[0].code, 1u);
    EXPECT_EQ(task.events[1].code, 2u);
    EXPECT_EQ(task.event_threads[1], task.start_thread);
}

// A task whose handler stops it, or holds its thread until it is let go.
class Handler_task : public Diner {
public:
    enum : uint32_t { code_stop = 1, code_hold = 2 };
    Handler_task() { init(nullptr, nullptr, "Handler", 50, 6144, true, false); }
    ~Handler_task() override { terminate(1, 1000); }

    std::promise<void> holding, stopped;
    std::shared_future<void> let_go;

protected:
    void handle_event(waiter_event& e) override
    {
        if (e.code == code_stop) {
            stop();
        } else if (e.code == code_hold) {
            holding.set_value();
            let_go.wait();
        }
    }
    void diner_stop() override { stopped.set_value(); }
};

TEST(Diner, a_task_that_stops_itself_ends_its_thread_and_can_be_started_again)
{
    Handler_task task;
    auto stopped = task.stopped.get_future();
    ASSERT_TRUE(task.start());
    task.get_waiter().post(waiter_event{1, Handler_task::code_stop, nullptr, nullptr});
    ASSERT_EQ(stopped.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_FALSE(task.start()); // not yet joined
    EXPECT_TRUE(task.terminate(1, 1000));
    task.stopped = std::promise<void>();
    ASSERT_TRUE(task.start());
    EXPECT_TRUE(task.terminate(1, 1000));
}

TEST(Diner, terminate_says_when_a_handler_outlasts_the_wait_and_still_joins_the_thread)
{
    Handler_task task;
    auto holding = task.holding.get_future();
    auto stopped = task.stopped.get_future();
    std::promise<void> release; // a test that ends early lets the handler go by breaking it
    task.let_go = release.get_future().share();
    std::string said;
    bool released = false;
    // The handler is let go only once terminate has given up waiting and said so.
    struct Sink_guard {
        Debug_print::Sink old;
        ~Sink_guard() { Debug_print::set_sink(old); }
    } guard{Debug_print::set_sink([&](const char* text) {
        said += text;
        if (!released && said.find("did not end") != std::string::npos) {
            released = true;
            release.set_value();
        }
    })};
    ASSERT_TRUE(task.start());
    task.get_waiter().post(waiter_event{1, Handler_task::code_hold, nullptr, nullptr});
    ASSERT_EQ(holding.wait_for(std::chrono::seconds(10)), std::future_status::ready);

    EXPECT_FALSE(task.terminate(1, 10));
    EXPECT_FALSE(task.is_running());
    EXPECT_EQ(stopped.wait_for(std::chrono::seconds(0)), std::future_status::ready);
    EXPECT_NE(said.find("Diner Handler: task did not end within 1 x 10 ms, still waiting\n"), std::string::npos)
        << said;
}

struct Thread_listener : Event_listener {
    std::promise<std::thread::id> heard;
    void handle_listener_event(waiter_event&) override { heard.set_value(std::this_thread::get_id()); }
};

TEST(Diner, an_event_naming_a_listener_goes_to_the_listener_on_the_tasks_thread)
{
    Recording_task task(1);
    Thread_listener listener;
    auto heard = listener.heard.get_future();
    ASSERT_TRUE(task.start());
    task.get_waiter().post(waiter_event{1, 5, nullptr, &listener});
    ASSERT_EQ(heard.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    std::thread::id listener_thread = heard.get();
    task.terminate(1, 1000);
    EXPECT_EQ(listener_thread, task.start_thread);
    EXPECT_TRUE(task.events.empty());
}

TEST(Diner, run_pending_handles_queued_events_on_the_callers_thread)
{
    Recording_task task(2);
    task.get_waiter().post(waiter_event{1, 1, nullptr, nullptr});
    task.get_waiter().post(waiter_event{1, 2, nullptr, nullptr});
    EXPECT_EQ(task.run_pending(), 2);
    ASSERT_EQ(task.events.size(), 2u);
    EXPECT_EQ(task.events[1].code, 2u);
    EXPECT_EQ(task.event_threads[0], std::this_thread::get_id());
    EXPECT_EQ(task.run_pending(), 0);
}

TEST(Diner, init_keeps_at_most_twenty_characters_of_the_name_and_gives_distinct_module_ids)
{
    module_man manager;
    Diner a, b;
    ASSERT_TRUE(a.init(&manager, nullptr, "A_very_long_task_name_indeed", 50, 1024, true, false));
    ASSERT_TRUE(b.init(&manager, nullptr, "EcuManager", 50, 1024, true, false));
    EXPECT_STREQ(a.get_name(), "A_very_long_task_nam");
    EXPECT_NE(a.get_module_id(), b.get_module_id());
    EXPECT_EQ(manager.get_module_name(b.get_module_id()), "EcuManager");
}

TEST(Diner, init_fails_when_the_module_registry_is_full)
{
    module_man manager;
    for (int i = 0; i < module_man::max_modules; ++i)
        ASSERT_GT(manager.register_module("m"), 0);
    Diner task;
    EXPECT_FALSE(task.init(&manager, nullptr, "Late", 50, 1024, true, false));
}

}
