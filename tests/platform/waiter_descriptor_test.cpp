#include "platform/rtos/waiter_descriptor.h"

#include <gtest/gtest.h>

#include <csignal>
#include <future>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

TEST(waiter_descriptor, events_from_several_threads_arrive_in_each_senders_order)
{
    waiter_descriptor waiter;
    constexpr int senders = 4, per_sender = 500;
    std::vector<std::thread> threads;
    for (int s = 0; s < senders; ++s)
        threads.emplace_back([&waiter, s] {
            for (int i = 0; i < per_sender; ++i)
                waiter.post(waiter_event{s + 1, uint32_t(i), nullptr, nullptr});
        });
    std::vector<uint32_t> next(senders + 1, 0);
    for (int n = 0; n < senders * per_sender; ++n) {
        waiter_event e;
        waiter.wait(e);
        ASSERT_GE(e.module, 1);
        ASSERT_LE(e.module, senders);
        EXPECT_EQ(e.code, next[size_t(e.module)]++);
    }
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(waiter.pending(), 0u);
}

TEST(waiter_descriptor, wait_with_deadline_reports_the_deadline_when_the_clock_passes_it)
{
    Manual_clock clock(1000);
    waiter_descriptor waiter;
    auto result = std::async(std::launch::async, [&] {
        waiter_event e;
        return waiter.wait(e, Atime(1050));
    });
    clock.advance(49);
    EXPECT_EQ(result.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    clock.advance(1);
    ASSERT_EQ(result.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_FALSE(result.get());
}

TEST(waiter_descriptor, wait_with_deadline_returns_an_event_that_comes_first)
{
    Manual_clock clock;
    waiter_descriptor waiter;
    waiter.post(waiter_event{3, 7, nullptr, nullptr});
    waiter_event e;
    EXPECT_TRUE(waiter.wait(e, Atime::now() + Rtime(10)));
    EXPECT_EQ(e.code, 7u);
}

// One write wakes the receiver for everything posted until it reads it;
// after the read the next post writes again, so no wake-up is lost.
TEST(waiter_descriptor, posts_share_one_wake_up_until_the_receiver_reads_it)
{
    waiter_descriptor waiter;
    for (int i = 0; i < 100; ++i)
        waiter.post(waiter_event{1, uint32_t(i), nullptr, nullptr});
    waiter.wake();
    EXPECT_EQ(waiter.wake_counts().writes, 1u);

    waiter_event e;
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(waiter.wait_once(e, nullptr));
    EXPECT_FALSE(waiter.wait_once(e, nullptr)) << "the wake-up alone, with no event left";
    EXPECT_EQ(waiter.wake_counts().reads, 1u);

    waiter.post(waiter_event{1, 100, nullptr, nullptr});
    EXPECT_EQ(waiter.wake_counts().writes, 2u);
    ASSERT_TRUE(waiter.wait_once(e, nullptr));
    EXPECT_EQ(e.code, 100u);
}

TEST(waiter_descriptor, a_wait_that_times_out_leaves_the_descriptor_unread)
{
    waiter_descriptor waiter;
    waiter_event e;
    EXPECT_FALSE(waiter.wait(e, Atime::now() + Rtime(2)));
    EXPECT_EQ(waiter.wake_counts().reads, 0u);
    EXPECT_EQ(waiter.wake_counts().writes, 0u);
}

waiter_descriptor* signal_target = nullptr;
int signal_flag = 0;

void on_signal(int)
{
    send_anonymous_event(*signal_target, &signal_flag);
}

TEST(waiter_descriptor, an_anonymous_event_can_be_sent_from_a_signal_handler)
{
    waiter_descriptor waiter;
    signal_target = &waiter;
    struct sigaction action{};
    action.sa_handler = on_signal;
    struct sigaction old{};
    sigaction(SIGUSR1, &action, &old);
    raise(SIGUSR1);
    sigaction(SIGUSR1, &old, nullptr);

    waiter_event e;
    ASSERT_TRUE(waiter.poll(e));
    EXPECT_EQ(e.module, 0);
    EXPECT_EQ(e.code, 0u);
    EXPECT_EQ(e.data, &signal_flag);
    EXPECT_FALSE(waiter.poll(e));
}

struct Counting_listener : Event_listener {
    void handle_listener_event(waiter_event&) override {}
};

TEST(waiter_descriptor, purge_drops_only_the_events_of_that_listener)
{
    waiter_descriptor waiter;
    Counting_listener gone, kept;
    waiter.post(waiter_event{1, 1, nullptr, &gone});
    waiter.post(waiter_event{1, 2, nullptr, &kept});
    waiter.post(waiter_event{1, 3, nullptr, &gone});
    waiter.post(waiter_event{1, 4, nullptr, nullptr});
    waiter.purge(&gone);
    waiter_event e;
    ASSERT_TRUE(waiter.poll(e));
    EXPECT_EQ(e.code, 2u);
    ASSERT_TRUE(waiter.poll(e));
    EXPECT_EQ(e.code, 4u);
    EXPECT_FALSE(waiter.poll(e));
}

TEST(waiter_descriptor, coalesced_listener_events_are_queued_once_while_they_wait)
{
    waiter_descriptor waiter;
    Counting_listener a, b;
    waiter.post(waiter_event{1, 1, nullptr, &a});
    waiter.coalesce_listener_events();
    waiter.post(waiter_event{1, 1, nullptr, &a}); // waits already
    waiter.post(waiter_event{1, 2, nullptr, &a});
    waiter.post(waiter_event{1, 1, nullptr, &b});
    waiter.post(waiter_event{1, 1, nullptr, &a});
    waiter.post(waiter_event{1, 7, nullptr, nullptr});
    waiter.post(waiter_event{1, 7, nullptr, nullptr}); // not for a listener: each one counts
    std::vector<std::pair<uint32_t, Event_listener*>> taken;
    waiter_event e;
    while (waiter.poll(e))
        taken.emplace_back(e.code, e.listener);
    const std::vector<std::pair<uint32_t, Event_listener*>> expected{
        {1, &a}, {2, &a}, {1, &b}, {7, nullptr}, {7, nullptr}};
    EXPECT_EQ(taken, expected);

    // Once taken, the next change posts again.
    waiter.post(waiter_event{1, 1, nullptr, &a});
    ASSERT_TRUE(waiter.poll(e));
    EXPECT_EQ(e.listener, &a);
}

TEST(waiter_descriptor, held_listener_events_wait_without_a_wake_up_until_something_else_wakes_or_the_hold_ends)
{
    waiter_descriptor waiter;
    Counting_listener listener;
    waiter.hold_listener_events(true);
    waiter.post(waiter_event{1, 1, nullptr, &listener});
    waiter.post(waiter_event{1, 2, nullptr, &listener});
    EXPECT_EQ(waiter.wake_counts().writes, 0u);

    // Another event wakes the receiver, which takes the held ones in order.
    waiter.post(waiter_event{1, 3, nullptr, nullptr});
    EXPECT_EQ(waiter.wake_counts().writes, 1u);
    waiter_event e;
    for (uint32_t code : {1u, 2u, 3u}) {
        ASSERT_TRUE(waiter.wait_once(e, nullptr));
        EXPECT_EQ(e.code, code);
    }
    EXPECT_FALSE(waiter.wait_once(e, nullptr)) << "the wake-up alone";

    waiter.post(waiter_event{1, 4, nullptr, &listener});
    EXPECT_EQ(waiter.wake_counts().writes, 1u);
    waiter.hold_listener_events(false);
    EXPECT_EQ(waiter.wake_counts().writes, 2u) << "the end of the hold wakes for what waits";
    ASSERT_TRUE(waiter.wait_once(e, nullptr));
    EXPECT_EQ(e.code, 4u);
    EXPECT_FALSE(waiter.wait_once(e, nullptr)) << "the wake-up alone";
    waiter.post(waiter_event{1, 5, nullptr, &listener});
    EXPECT_EQ(waiter.wake_counts().writes, 3u);
}

TEST(waiter_descriptor, flush_empties_the_queue)
{
    waiter_descriptor waiter;
    waiter.post(waiter_event{});
    send_anonymous_event(waiter, &signal_flag);
    EXPECT_EQ(waiter.pending(), 2u);
    waiter.flush();
    waiter_event e;
    EXPECT_FALSE(waiter.poll(e));
}

// A pipe whose reading end the waiter watches: each input becomes an event
// carrying the byte read; a closed writing end finishes the watch.
struct Pipe_watcher : Fd_watcher {
    int fds[2] = {-1, -1};
    int calls = 0;
    Pipe_watcher() { EXPECT_EQ(pipe(fds), 0); }
    ~Pipe_watcher()
    {
        for (int fd : fds)
            if (fd >= 0)
                close(fd);
    }
    void put(uint8_t byte) { ASSERT_EQ(write(fds[1], &byte, 1), 1); }
    bool on_input(waiter_event& event, bool& done) override
    {
        ++calls;
        uint8_t byte;
        const ssize_t n = read(fds[0], &byte, 1);
        done = n == 0;
        event = waiter_event{9, n == 1 ? byte : 0u, nullptr, nullptr};
        return n == 1;
    }
};

TEST(waiter_descriptor, a_watched_descriptor_ends_waits_with_its_watchers_events_and_queued_events_come_first)
{
    waiter_descriptor waiter;
    Pipe_watcher input;
    waiter.watch(input.fds[0], &input);
    waiter_event e;
    input.put(7);
    waiter.post(waiter_event{1, 1, nullptr, nullptr});
    ASSERT_TRUE(waiter.wait(e, Atime::now() + Rtime(10000)));
    EXPECT_EQ(e.module, 1);
    ASSERT_TRUE(waiter.wait(e, Atime::now() + Rtime(10000)));
    EXPECT_EQ(e.module, 9);
    EXPECT_EQ(e.code, 7u);
    input.put(8);
    ASSERT_TRUE(waiter.poll(e)) << "a poll reads the descriptor too";
    EXPECT_EQ(e.code, 8u);
    EXPECT_FALSE(waiter.poll(e));

    // Unwatched: input stays where it is.
    waiter.unwatch(input.fds[0]);
    input.put(9);
    const int calls = input.calls;
    EXPECT_FALSE(waiter.poll(e));
    EXPECT_EQ(input.calls, calls);

    // Watched again: the byte waiting is read; the writer's end finishes the watch.
    waiter.watch(input.fds[0], &input);
    ASSERT_TRUE(waiter.wait(e, Atime::now() + Rtime(10000)));
    EXPECT_EQ(e.code, 9u);
    close(input.fds[1]);
    input.fds[1] = -1;
    EXPECT_FALSE(waiter.poll(e));
    EXPECT_FALSE(waiter.poll(e));
    EXPECT_EQ(input.calls, calls + 2) << "not called once the watch is finished";
}

TEST(waiter_descriptor, a_thread_already_waiting_reads_a_descriptor_watched_later)
{
    waiter_descriptor waiter;
    Pipe_watcher input;
    auto result = std::async(std::launch::async, [&] {
        waiter_event e;
        waiter.wait(e);
        return e.code;
    });
    waiter.watch(input.fds[0], &input);
    input.put(5);
    ASSERT_EQ(result.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(result.get(), 5u);
}

}
