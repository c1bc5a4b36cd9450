#include "platform/rtos/Diner.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

class Counting_task : public Diner {
public:
    std::atomic<int> handled{0};

protected:
    void handle_event(waiter_event&) override { ++handled; }
};

TEST(Diner_stop_via_event, the_events_queued_before_the_stop_are_handled_and_the_task_ends)
{
    Counting_task task;
    ASSERT_TRUE(task.init(nullptr, nullptr, "COUNT", 10, 4096, true, false));
    // Queued before the thread runs, so that they are certainly ahead of the stop.
    for (int i = 0; i < 100; ++i)
        task.get_waiter().post(waiter_event{1, uint32_t(i), nullptr, nullptr});
    ASSERT_TRUE(task.start());
    task.stop_via_event();
    EXPECT_FALSE(task.is_running());
    EXPECT_EQ(task.handled, 100);
    EXPECT_EQ(task.get_waiter().pending(), 0u);
}

TEST(Diner_stop_via_event, a_task_not_started_is_left_alone)
{
    Counting_task task;
    ASSERT_TRUE(task.init(nullptr, nullptr, "COUNT", 10, 4096, true, false));
    task.stop_via_event();
    EXPECT_EQ(task.get_waiter().pending(), 0u);
    EXPECT_TRUE(task.start());
    task.stop_via_event();
    EXPECT_FALSE(task.is_running());
}

}
