#include "platform/rtos/Owned_mutex.h"
#include "platform/rtos/Bugger.h"
#include "platform/rtos/MutexImp.h"

#include <sys/syscall.h>
#include <unistd.h>

void Owned_mutex::record_owner()
{
    owner_thread_ = QThread::currentThreadId();
    owner_tid_ = pid_t(syscall(SYS_gettid));
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
