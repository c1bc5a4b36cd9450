#pragma once
#include "platform/rtos/Atime.h"

class Diner;

// A task's timer: submitted to a Diner, it calls the task's handle_timeout
// when due, once or every period. Submitting an armed timer re-arms it.
class Timeout {
public:
    explicit Timeout(bool repeating = false, int period_ms = 0);
    ~Timeout(); // leaves its task's timer list
    Timeout(const Timeout&) = delete;
    Timeout& operator=(const Timeout&) = delete;

    // Safe from any thread: the task's thread reads the period as it re-arms.
    void set_period(int ms);
    int get_period() const;
    bool is_repeating() const { return repeating_; }
    bool is_armed() const;
    Atime get_deadline() const;

private:
    friend class Diner;
    const bool repeating_;
    // Guarded by the timer lock.
    int period_ms_;
    Diner* owner_ = nullptr;
    Atime deadline_;
    uint64_t sequence_ = 0; // breaks ties between equal deadlines: first armed fires first
};
