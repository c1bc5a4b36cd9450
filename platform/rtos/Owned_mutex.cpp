#include "platform/rtos/Owned_mutex.h"
#include "platform/rtos/Bugger.h"
#include "platform/rtos/MutexImp.h"

#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// The calling thread's kernel id, asked of the kernel once per thread: the
// store lock is taken thousands of times a second. 0 until first asked.
thread_local pid_t own_tid = 0;

pid_t current_tid()
{
    if (own_tid == 0) {
        // A forked child runs on as a new thread of a new process: it asks again.
        static const int forget_in_child = pthread_atfork(nullptr, nullptr, [] { own_tid = 0; });
        (void)forget_in_child;
        own_tid = pid_t(syscall(SYS_gettid));
    }
    return own_tid;
}

}

void Owned_mutex::record_owner()
{
    owner_thread_ = QThread::currentThreadId();
    owner_tid_ = current_tid();
}

void Owned_mutex::lock()
{
    if (!mutex_.tryLock(0)) {
        if (held_by_caller())
            Bugger::report_bug("lock taken twice by the thread that holds it");
        MutexImp::debug_lock(mutex_);
    }
    record_owner();
}

bool Owned_mutex::try_lock_for(int timeout_ms)
{
    if (!mutex_.tryLock(timeout_ms))
        return false;
    record_owner();
    return true;
}

void Owned_mutex::unlock()
{
    // Releasing another thread's hold would wipe its owner words and break its exclusion.
    if (!held_by_caller())
        Bugger::report_bug("lock released by a thread that does not hold it");
    owner_thread_ = nullptr;
    owner_tid_ = 0;
    mutex_.unlock();
}

bool Owned_mutex::held_by_caller() const
{
    return owner_thread_.load() == QThread::currentThreadId();
}

bool Owned_mutex::is_locked() const
{
    if (mutex_.tryLock(0)) {
        mutex_.unlock();
        return false;
    }
    return held_by_caller();
}
