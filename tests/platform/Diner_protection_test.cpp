#include "platform/rtos/Diner.h"
#include "platform/rtos/Diner_protection.h"

#include "tests/support/Child_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <future>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

using Locked_task = Diner_protection<Diner>;

template <class F>
auto on_other_thread(F f)
{
    return std::async(std::launch::async, f).get();
}

TEST(Diner_protection, lock_and_is_locked_from_the_owner_and_from_another_thread)
{
    Locked_task task;
    EXPECT_FALSE(task.is_locked()); // free
    EXPECT_TRUE(task.lock(-1));
    EXPECT_TRUE(task.is_locked()); // owner asks
    EXPECT_FALSE(on_other_thread([&] { return task.is_locked(); }));
    EXPECT_FALSE(on_other_thread([&] { return task.lock(0); })); // busy
    task.unlock();
    EXPECT_FALSE(task.is_locked());
    EXPECT_TRUE(on_other_thread([&] {
        bool got = task.lock(0);
        task.unlock();
        return got;
    }));
}

struct Owner_view : Locked_task {
    using Locked_task::task_mutex;
};

TEST(Diner_protection, the_owner_words_name_the_holder_and_are_cleared_on_unlock)
{
    Owner_view task;
    task.lock(-1);
    EXPECT_EQ(task.task_mutex().owner_thread(), QThread::currentThreadId());
    EXPECT_EQ(task.task_mutex().owner_tid(), pid_t(syscall(SYS_gettid)));
    task.unlock();
    EXPECT_EQ(task.task_mutex().owner_thread(), nullptr);
    EXPECT_EQ(task.task_mutex().owner_tid(), 0);
}

TEST(Diner_protection, a_failed_try_records_no_owner)
{
    Owner_view task;
    task.lock(-1);
    on_other_thread([&] { return task.lock(0); });
    EXPECT_EQ(task.task_mutex().owner_thread(), QThread::currentThreadId());
    task.unlock();
}

TEST(Diner_protection, locking_twice_from_the_holder_is_reported_as_a_bug_not_a_hang)
{
    Child_result r = run_in_child([] {
        Locked_task task;
        task.lock(-1);
        task.lock(-1);
    });
    EXPECT_EQ(r.signal, SIGABRT);
    EXPECT_NE(r.output.find("BUG: lock taken twice"), std::string::npos) << r.output;
}

}
