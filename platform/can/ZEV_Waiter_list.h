#pragma once
#include "platform/rtos/waiter_descriptor.h"

namespace ZEV {

// Up to N waiters that hear of a service's events. The holder guards it.
template <int N>
class Waiter_list {
public:
    // True when added or already listed; false when N are listed.
    bool add(waiter_descriptor* waiter)
    {
        for (int i = 0; i < count_; ++i)
            if (waiters_[i] == waiter)
                return true;
        if (count_ == N || !waiter)
            return false;
        waiters_[count_++] = waiter;
        return true;
    }
    // False when not listed; the others keep their order.
    bool remove(waiter_descriptor* waiter)
    {
        for (int i = 0; i < count_; ++i)
            if (waiters_[i] == waiter) {
                for (int j = i + 1; j < count_; ++j)
                    waiters_[j - 1] = waiters_[j];
                waiters_[--count_] = nullptr;
                return true;
            }
        return false;
    }
    int count() const { return count_; }
    waiter_descriptor* get(int i) const { return i >= 0 && i < count_ ? waiters_[i] : nullptr; }
    void post_all(const waiter_event& event) const
    {
        for (int i = 0; i < count_; ++i)
            waiters_[i]->post(event);
    }

private:
    waiter_descriptor* waiters_[N] = {};
    int count_ = 0;
};

}
