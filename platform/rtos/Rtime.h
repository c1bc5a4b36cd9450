#pragma once
#include <cstdint>

// A span of time in milliseconds.
class Rtime {
public:
    constexpr Rtime() = default;
    constexpr explicit Rtime(int64_t ms) : ms_(ms) {}
    constexpr int64_t ms() const { return ms_; }

    constexpr bool operator==(Rtime o) const { return ms_ == o.ms_; }
    constexpr bool operator!=(Rtime o) const { return ms_ != o.ms_; }
    constexpr bool operator<(Rtime o) const { return ms_ < o.ms_; }
    constexpr bool operator<=(Rtime o) const { return ms_ <= o.ms_; }
    constexpr bool operator>(Rtime o) const { return ms_ > o.ms_; }
    constexpr bool operator>=(Rtime o) const { return ms_ >= o.ms_; }

private:
    int64_t ms_ = 0;
};
