#include "platform/rtos/Diner.h"
#include "platform/rtos/Resume_timeout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

class Timer_task : public Diner {
public:
    Timer_task() { init(nullptr, nullptr, "Timers", 50, 6144, true, false); }
    ~Timer_task() override { terminate(1, 1000); }

    std::vector<std::pair<const Timeout*, int64_t>> fired; // which timer, at what time
    std::promise<void>* on_fire = nullptr;

protected:
    void handle_timeout(Timeout& t) override
    {
        fired.emplace_back(&t, Atime::now().ms());
        if (on_fire)
            on_fire->set_value();
    }
};

// Steps the manual clock 1 ms at a time, running the task's due work at each step.
void step(Manual_clock& clock, Timer_task& task, int ms)
{
    for (int i = 0; i < ms; ++i) {
        clock.advance(1);
        task.run_pending();
    }
}

TEST(Timeout, a_repeating_timeout_fires_exactly_once_per_period)
{
    struct Case { int periods; int step_ms; };
    for (Case c : {Case{1, 10}, Case{7, 10}, Case{25, 1}}) {
        Manual_clock clock(0);
        Timer_task task;
        Timeout tick(true);
        task.submit_timeout(tick, 10);
        for (int elapsed = 0; elapsed < c.periods * 10; elapsed += c.step_ms) {
            clock.advance(c.step_ms);
            task.run_pending();
        }
        ASSERT_EQ(task.fired.size(), size_t(c.periods)) << "step " << c.step_ms;
        for (size_t i = 0; i < task.fired.size(); ++i)
            EXPECT_EQ(task.fired[i].second, int64_t(10 * (i + 1)));
        EXPECT_TRUE(tick.is_armed());
    }
}

TEST(Timeout, a_resumed_repeating_timeout_keeps_its_rhythm_and_an_armed_one_is_left_alone)
{
    Manual_clock clock(0);
    Timer_task task;
    Timeout tick(true);
    task.submit_timeout(tick, 30);
    step(clock, task, 30);
    task.remove_timeout(tick);
    step(clock, task, 70); // at 100: the rhythm's next instant is 120
    resume_timeout(task, tick);
    resume_timeout(task, tick);
    step(clock, task, 40);
    ASSERT_EQ(task.fired.size(), 2u);
    EXPECT_EQ(task.fired[1].second, 120);
    resume_timeout(task, tick); // armed: its deadline stays 150
    step(clock, task, 10);
    ASSERT_EQ(task.fired.size(), 3u);
    EXPECT_EQ(task.fired[2].second, 150);
}

TEST(Timeout, a_one_shot_fires_once)
{
    Manual_clock clock(0);
    Timer_task task;
    Timeout once;
    task.submit_timeout(once, 100);
    step(clock, task, 99);
    EXPECT_TRUE(task.fired.empty());
    step(clock, task, 1000);
    ASSERT_EQ(task.fired.size(), 1u);
    EXPECT_EQ(task.fired[0].second, 100);
    EXPECT_FALSE(once.is_armed());
}

TEST(Timeout, resubmitting_rearms_from_now)
{
    Manual_clock clock(0);
    Timer_task task;
    Timeout save;
    task.submit_timeout(save, 1000);
    for (int i = 0; i < 5; ++i) { // a change every 200 ms pushes the save out
        step(clock, task, 200);
        task.submit_timeout(save);
    }
    step(clock, task, 999);
    EXPECT_TRUE(task.fired.empty());
    step(clock, task, 5);
    ASSERT_EQ(task.fired.size(), 1u);
    EXPECT_EQ(task.fired[0].second, 2000);
}

TEST(Timeout, removing_or_destroying_a_timeout_disarms_it)
{
    Manual_clock clock(0);
    Timer_task task;
    Timeout removed(true);
    task.submit_timeout(removed, 10);
    {
        Timeout destroyed(true);
        task.submit_timeout(destroyed, 10);
    }
    task.remove_timeout(removed);
    step(clock, task, 100);
    EXPECT_TRUE(task.fired.empty());
    EXPECT_FALSE(removed.is_armed());
}

TEST(Timeout, timeouts_due_together_fire_in_the_order_they_were_armed)
{
    Manual_clock clock(0);
    Timer_task task;
    Timeout a, b, c;
    task.submit_timeout(b, 50);
    task.submit_timeout_at(a, Atime(50));
    task.submit_timeout(c, 20);
    clock.advance(60);
    task.run_pending();
    ASSERT_EQ(task.fired.size(), 3u);
    EXPECT_EQ(task.fired[0].first, &c);
    EXPECT_EQ(task.fired[1].first, &b);
    EXPECT_EQ(task.fired[2].first, &a);
}

TEST(Timeout, a_started_task_wakes_when_the_manual_clock_reaches_its_deadline)
{
    Manual_clock clock(0);
    Timer_task task;
    std::promise<void> fired;
    task.on_fire = &fired;
    Timeout once;
    ASSERT_TRUE(task.start());
    task.submit_timeout(once, 1000);
    auto done = fired.get_future();
    clock.advance(999);
    EXPECT_EQ(done.wait_for(std::chrono::milliseconds(20)), std::future_status::timeout);
    clock.advance(1);
    EXPECT_EQ(done.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    task.terminate(1, 1000);
}

TEST(Timeout, a_handler_may_destroy_the_repeating_timeout_it_handles)
{
    struct Ending_task : Diner {
        std::unique_ptr<Timeout> tick = std::make_unique<Timeout>(true);
        int handled = 0;
        void handle_timeout(Timeout& t) override
        {
            ++handled;
            if (&t == tick.get())
                tick.reset();
        }
    } task;
    Manual_clock clock(0);
    task.submit_timeout(*task.tick, 10);
    clock.advance(10);
    EXPECT_EQ(task.run_pending(), 1);
    EXPECT_EQ(task.tick, nullptr);
    clock.advance(100);
    EXPECT_EQ(task.run_pending(), 0);
    EXPECT_EQ(task.handled, 1);
}

// A started task that notes its expiries, for tests that wait on its thread.
class Counting_task : public Diner {
public:
    Counting_task() { init(nullptr, nullptr, "Counting", 50, 6144, true, false); }
    ~Counting_task() override { terminate(1, 1000); }

    bool wait_for_count(size_t count)
    {
        return wait([&] { return expired_.size() >= count; });
    }
    bool wait_for_expiry_of(const Timeout& t)
    {
        return wait([&] { return std::find(expired_.begin(), expired_.end(), &t) != expired_.end(); });
    }
    size_t count()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return expired_.size();
    }

protected:
    // Notes only the timeout's address: it may be gone by now.
    void handle_timeout(Timeout& t) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        expired_.push_back(&t);
        changed_.notify_all();
    }

private:
    template <class Done>
    bool wait(Done done)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), done);
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<const Timeout*> expired_;
};

TEST(Timeout, a_started_task_under_a_manual_clock_wakes_for_every_step_of_the_clock)
{
    Manual_clock clock(0);
    Counting_task task;
    Timeout tick(true);
    task.submit_timeout(tick, 10);
    ASSERT_TRUE(task.start());
    for (int i = 1; i <= 300; ++i) {
        clock.advance(10);
        ASSERT_TRUE(task.wait_for_count(size_t(i))) << "tick " << i;
    }
    EXPECT_TRUE(task.terminate(1, 1000));
    EXPECT_EQ(task.count(), 300u);
}

TEST(Timeout, timeouts_destroyed_while_due_leave_the_running_task_sound)
{
    Counting_task task;
    ASSERT_TRUE(task.start());
    for (int i = 0; i < 2000; ++i) {
        auto due = std::make_unique<Timeout>(i % 2 == 0, 1);
        task.submit_timeout_at(*due, Atime::now());
        if (i % 3 == 0)
            std::this_thread::yield();
    }
    Timeout last; // on the stack: no address of the heap ones
    task.submit_timeout_at(last, Atime::now());
    EXPECT_TRUE(task.wait_for_expiry_of(last));
}

TEST(Timeout, a_repeating_timeout_rearmed_from_another_thread_keeps_firing_with_its_new_period)
{
    Counting_task task;
    Timeout tick(true);
    task.submit_timeout(tick, 1);
    ASSERT_TRUE(task.start());
    for (int i = 0; i < 500; ++i)
        task.submit_timeout(tick, 1 + i % 2);
    size_t seen = task.count();
    EXPECT_TRUE(task.wait_for_count(seen + 2));
    EXPECT_EQ(tick.get_period(), 2);
    EXPECT_TRUE(tick.is_armed());
}

TEST(Timeout, a_timeout_outliving_its_task_is_disarmed_and_serves_another_task)
{
    Manual_clock clock(0);
    Timeout tick(true);
    {
        Counting_task first;
        first.submit_timeout(tick, 10);
        ASSERT_TRUE(first.start());
    }
    EXPECT_FALSE(tick.is_armed());
    Timer_task second;
    second.submit_timeout(tick, 10);
    step(clock, second, 20);
    EXPECT_EQ(second.fired.size(), 2u);
}

// A started task that works its own timer from its thread on the real
// clock: it re-arms (or cancels and re-arms) a due-at-once timer, or lets a
// 1 ms tick repeat, until it has handled `rounds` of them.
class Self_timing_task : public Diner {
public:
    enum class Work { rearm_at_once, cancel_and_rearm, repeat_1ms };
    Self_timing_task(Work work, int rounds) : work_(work), rounds_(rounds)
    {
        init(nullptr, nullptr, "SelfTiming", 50, 6144, true, false);
    }
    ~Self_timing_task() override { terminate(1, 1000); }

    std::promise<void> rounds_done, event_handled;

protected:
    void diner_start() override
    {
        if (work_ == Work::repeat_1ms)
            submit_timeout(tick_, 1);
        else
            submit_timeout(once_, 0);
    }
    void handle_timeout(Timeout&) override
    {
        if (++handled_ == rounds_) {
            remove_timeout(tick_);
            rounds_done.set_value();
            return;
        }
        if (work_ == Work::cancel_and_rearm) {
            submit_timeout(spare_, 60000);
            remove_timeout(spare_);
        }
        if (work_ != Work::repeat_1ms)
            submit_timeout_at(once_, Atime::now());
    }
    void handle_event(waiter_event&) override { event_handled.set_value(); }

private:
    const Work work_;
    const int rounds_;
    int handled_ = 0;
    Timeout once_, spare_, tick_{true};
};

// The task's timers cost no wake-up and no read of its descriptor while it
// works them itself; a post from another thread still wakes it.
TEST(Timeout, a_task_working_its_own_timers_never_wakes_itself_and_a_post_from_elsewhere_still_does)
{
    struct Case { Self_timing_task::Work work; int rounds; };
    for (Case c : {Case{Self_timing_task::Work::rearm_at_once, 1000},
                   Case{Self_timing_task::Work::cancel_and_rearm, 1000},
                   Case{Self_timing_task::Work::repeat_1ms, 20}}) {
        SCOPED_TRACE(int(c.work));
        Self_timing_task task(c.work, c.rounds);
        auto done = task.rounds_done.get_future();
        auto handled = task.event_handled.get_future();
        ASSERT_TRUE(task.start());
        ASSERT_EQ(done.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        waiter_descriptor::Wake_counts counts = task.get_waiter().wake_counts();
        EXPECT_EQ(counts.writes, 0u);
        EXPECT_EQ(counts.reads, 0u) << "a sleep that timed out read the descriptor";

        task.get_waiter().post(waiter_event{1, 1, nullptr, nullptr});
        ASSERT_EQ(handled.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        EXPECT_EQ(task.get_waiter().wake_counts().writes, 1u);
    }
}

TEST(Timeout, a_timer_armed_from_another_thread_before_the_tasks_next_deadline_wakes_it)
{
    Counting_task task;
    Timeout far, near;
    task.submit_timeout(far, 60000);
    ASSERT_TRUE(task.start());
    for (size_t round = 1; round <= 20; ++round) {
        task.submit_timeout(near, 0);
        ASSERT_TRUE(task.wait_for_count(round)) << "the task slept on towards its far deadline";
    }
    EXPECT_TRUE(far.is_armed());
}

TEST(Timeout, delay_under_a_manual_clock_moves_the_clock)
{
    Manual_clock clock(0);
    Atime before = Atime::now();
    Atime::delay(1000);
    EXPECT_EQ((Atime::now() - before).ms(), 1000);
}

}
