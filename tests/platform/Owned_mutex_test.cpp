#include "platform/rtos/Owned_mutex.h"

#include "tests/support/Child_process.h"

#include <gtest/gtest.h>

#include <mutex>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace {

pid_t kernel_tid()
{
    return pid_t(syscall(SYS_gettid));
}

// Each thread takes the lock many times, interleaved with the other's
// holds: the owner record names the thread that holds it, every time.
TEST(Owned_mutex, two_threads_each_see_their_own_id_in_the_owner_record)
{
    Owned_mutex mutex;
    std::mutex results_mutex;
    std::vector<std::pair<pid_t, pid_t>> wrong; // (recorded, own)
    auto take_turns = [&] {
        const pid_t own = kernel_tid();
        for (int i = 0; i < 2000; ++i) {
            mutex.lock();
            const pid_t recorded = mutex.owner_tid();
            const bool thread_ok = mutex.owner_thread() == QThread::currentThreadId();
            mutex.unlock();
            if (recorded != own || !thread_ok) {
                std::lock_guard<std::mutex> lock(results_mutex);
                wrong.emplace_back(recorded, own);
            }
        }
    };
    std::thread first(take_turns), second(take_turns);
    first.join();
    second.join();
    ASSERT_TRUE(wrong.empty()) << wrong.size() << " holds recorded " << wrong[0].first << " for thread "
                               << wrong[0].second;
    EXPECT_EQ(mutex.owner_tid(), 0);
}

// A forked child is another thread than its parent's: it records its own id.
TEST(Owned_mutex, a_forked_child_records_its_own_id)
{
    Owned_mutex mutex;
    mutex.lock(); // the parent's id is known to this thread now
    mutex.unlock();
    Child_result child = run_in_child([&] {
        mutex.lock();
        const bool own = mutex.owner_tid() == kernel_tid();
        mutex.unlock();
        _exit(own ? 0 : 1);
    });
    EXPECT_TRUE(child.exited) << child.output;
    EXPECT_EQ(child.exit_status, 0) << "the child recorded another thread's id";
}

}
