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

TEST(Diner_protection, misuse_of_the_lock_is_reported_as_a_bug_not_a_hang_or_a_lost_exclusion)
{
    struct Case {
        const char* name;
        void (*misuse)(Locked_task&);
        const char* report;
    } cases[] = {
        {"locking twice from the holder", [](Locked_task& t) { t.lock(-1); t.lock(-1); }, "BUG: lock taken twice"},
        {"unlocking a free lock", [](Locked_task& t) { t.unlock(); }, "BUG: lock released by a thread that does not hold it"},
        {"unlocking twice", [](Locked_task& t) { t.lock(-1); t.unlock(); t.unlock(); },
         "BUG: lock released by a thread that does not hold it"},
        {"unlocking another thread's hold",
         [](Locked_task& t) {
             t.lock(-1);
             std::async(std::launch::async, [&t] { t.unlock(); }).get();
         },
         "BUG: lock released by a thread that does not hold it"},
    };
    for (const Case& c : cases) {
        Child_result r = run_in_child([&] {
            Locked_task task;
            c.misuse(task);
        });
        EXPECT_EQ(r.signal, SIGABRT) << c.name;
        EXPECT_NE(r.output.find(c.report), std::string::npos) << c.name << ": " << r.output;
    }
}

}
