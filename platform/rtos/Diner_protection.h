#pragma once
#include "platform/rtos/Owned_mutex.h"

// Makes a task type lockable from outside: a mutex with a record of the
// holding thread, for state that the task and other threads share.
template <class Base>
class Diner_external_protection : public Base {
public:
    // timeout < 0: wait as long as it takes (a second lock by the holder is a
    // bug and is reported). timeout >= 0: try for 10 x timeout ms.
    bool lock(int timeout) const
    {
        if (timeout < 0) {
            mutex_.lock();
            return true;
        }
        return mutex_.try_lock_for(10 * timeout);
    }
    void unlock() const { mutex_.unlock(); }
    bool is_locked() const { return mutex_.is_locked(); }

protected:
    const Owned_mutex& task_mutex() const { return mutex_; }

private:
    mutable Owned_mutex mutex_;
};

template <class Base>
class Diner_protection : public Diner_external_protection<Base> {
};
