#pragma once
#include "platform/rtos/Timeout.h"

#include <atomic>
#include <cstdint>

class Diagnostics;

// A consumer of the fault history (Diagnostics::request_history): it is
// given the time-stamped records of the fault files, oldest file first, at
// its own pace, on the diagnostics task.
class Diagnostic_history {
public:
    // How long the replay waits for it when it is not ready.
    explicit Diagnostic_history(int period_ms = 10) : timer_(false, period_ms) {}
    virtual ~Diagnostic_history() = default;
    Diagnostic_history(const Diagnostic_history&) = delete;
    Diagnostic_history& operator=(const Diagnostic_history&) = delete;

    virtual void _output(uint8_t source, uint16_t oc, uint16_t err, uint32_t seconds, unsigned milliseconds) = 0;
    // Whether it takes a record now.
    virtual bool is_ready() { return true; }
    // Before the first record.
    virtual void reset() {}
    // After the last one.
    virtual void notify_done() {}

    bool is_done() const { return done_; }

private:
    friend class Diagnostics;
    Timeout timer_;
    int first_file_ = 0;
    int next_file_ = 0;
    int record_index_ = 0;
    std::atomic<bool> done_{false};
};
