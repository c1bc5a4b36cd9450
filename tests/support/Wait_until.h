#pragma once
#include <chrono>
#include <functional>
#include <thread>

// Looks at a condition that other tasks make true and that offers nothing to
// wait on, until it holds (true) or timeout_ms have passed (false).
inline bool wait_until(const std::function<bool()>& condition, int timeout_ms = 10000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
