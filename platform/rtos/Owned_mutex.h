#pragma once
#include <QMutex>
#include <QThread>

#include <atomic>
#include <sys/types.h>

// A plain (non-recursive) mutex that records its holder: the Qt thread id
// and the kernel thread id, both cleared while it is free. The store lock,
// the parameter-tree lock and the task lock are all of this kind.
class Owned_mutex {
public:
    // Takes the mutex, waiting as long as it takes. Taking it again from the
    // thread that holds it is a bug and is reported, not a silent hang.
    void lock();
    // Tries for up to timeout_ms; records the holder on success.
    bool try_lock_for(int timeout_ms);
    // Releasing a mutex the calling thread does not hold is a bug and is reported.
    void unlock();

    // True when the calling thread holds the mutex.
    bool held_by_caller() const;
    // False when the mutex is free (tested by taking and releasing it at
    // once); else whether the calling thread is the recorded holder.
    bool is_locked() const;

    Qt::HANDLE owner_thread() const { return owner_thread_.load(); }
    pid_t owner_tid() const { return owner_tid_.load(); }

private:
    void record_owner();

    mutable QMutex mutex_;
    std::atomic<Qt::HANDLE> owner_thread_{nullptr};
    std::atomic<pid_t> owner_tid_{0};
};
