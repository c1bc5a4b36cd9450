#pragma once
#include "platform/rtos/Rtime.h"
#include <cstdint>

// A point in time, in milliseconds of the process clock. The program runs on
// the monotonic system clock; tests install a Manual_clock and step it.
class Atime {
public:
    constexpr Atime() = default;
    constexpr explicit Atime(int64_t ms) : ms_(ms) {}

    static Atime now();
    constexpr int64_t ms() const { return ms_; }

    constexpr Atime operator+(Rtime r) const { return Atime(ms_ + r.ms()); }
    constexpr Atime operator-(Rtime r) const { return Atime(ms_ - r.ms()); }
    constexpr Rtime operator-(Atime o) const { return Rtime(ms_ - o.ms_); }
    Atime& operator+=(Rtime r) { ms_ += r.ms(); return *this; }

    constexpr bool operator==(Atime o) const { return ms_ == o.ms_; }
    constexpr bool operator!=(Atime o) const { return ms_ != o.ms_; }
    constexpr bool operator<(Atime o) const { return ms_ < o.ms_; }
    constexpr bool operator<=(Atime o) const { return ms_ <= o.ms_; }
    constexpr bool operator>(Atime o) const { return ms_ > o.ms_; }
    constexpr bool operator>=(Atime o) const { return ms_ >= o.ms_; }

    // Blocks the calling thread for ms milliseconds. Under a manual clock the
    // delay moves the clock on instead, so code that waits runs at once in tests.
    static void delay(int ms);

    // Milliseconds since local midnight, for time-stamped log lines.
    static uint32_t ms_of_day();

    // This instant on the wall clock: whole seconds since 1970 and the
    // milliseconds beyond them. Under a manual clock its milliseconds are
    // taken for the wall clock too, so that tests see the times they set.
    struct Real_time {
        int64_t seconds = 0;
        int milliseconds = 0;
    };
    Real_time real_timeb() const;

private:
    int64_t ms_ = 0;
};

// Replaces the system clock while it lives: time stands still until advance().
// Advancing wakes every waiting task so it can look at its timers again.
// One at a time, made and destroyed on the test's thread.
class Manual_clock {
public:
    explicit Manual_clock(int64_t start_ms = 1000);
    ~Manual_clock();
    Manual_clock(const Manual_clock&) = delete;
    Manual_clock& operator=(const Manual_clock&) = delete;

    void advance(int64_t ms);
    static bool active();
};
