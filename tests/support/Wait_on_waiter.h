#pragma once
#include "platform/rtos/waiter_descriptor.h"

#include <chrono>
#include <functional>

// Waits for a condition that a waiter's own waits help make true (a
// serial line is read by the thread that waits on its waiter): waits on it
// as a task does, a few milliseconds at a time, dropping its events, until
// the condition holds.
inline bool wait_on_waiter(waiter_descriptor& waiter, const std::function<bool()>& condition,
                           int timeout_ms = 10000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    waiter_event event;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        waiter.wait(event, Atime::now() + Rtime(5));
    }
    return true;
}
