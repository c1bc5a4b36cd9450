#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

// A delay-line queue of timed samples, run-length coded: a sample that
// repeats the newest value lengthens it instead of taking a new entry, so a
// steady signal holds one or two entries whatever the delay. Every addition
// trims as many milliseconds off the oldest end as it added, so the queue
// keeps the length it was reset to. The storage is a ring that grows in
// blocks of 64 entries.
template <class T>
class Sample_queue {
public:
    struct Sample {
        T value;
        int32_t duration; // milliseconds
    };
    static constexpr size_t block = 64;

    void clear()
    {
        first_ = 0;
        count_ = 0;
    }
    // Empties the queue and holds one sample.
    void reset(T value, int32_t duration)
    {
        clear();
        append({value, duration});
    }
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    // Sample i, counted from the oldest (0).
    const Sample& at(size_t i) const { return slots_[(first_ + i) % slots_.size()]; }

    // Adds ms of the value at the newest end, then trims ms off the oldest.
    void add(T value, int32_t ms)
    {
        if (count_ != 0 && newest().value == value) {
            Sample& s = newest();
            s.duration = int32_t(std::min<int64_t>(int64_t(s.duration) + ms, std::numeric_limits<int32_t>::max()));
        } else {
            append({value, ms});
        }
        trim(ms);
    }

private:
    Sample& slot(size_t i) { return slots_[(first_ + i) % slots_.size()]; }
    Sample& newest() { return slot(count_ - 1); }

    void append(const Sample& sample)
    {
        if (count_ == slots_.size()) {
            std::vector<Sample> grown;
            grown.reserve(slots_.size() + block);
            for (size_t i = 0; i < count_; ++i)
                grown.push_back(at(i));
            grown.resize(slots_.size() + block);
            slots_.swap(grown);
            first_ = 0;
        }
        ++count_;
        newest() = sample;
    }

    // The last sample is never removed: it is shortened, down to 0, and a
    // sample of 0 ms is still seen until the next trim takes it.
    void trim(int32_t r)
    {
        while (r > 0 && count_ != 0) {
            Sample& oldest = slot(0);
            if (oldest.duration >= r || count_ == 1) {
                oldest.duration = std::max(oldest.duration - r, 0);
                return;
            }
            r -= oldest.duration;
            first_ = (first_ + 1) % slots_.size();
            --count_;
        }
    }

    std::vector<Sample> slots_;
    size_t first_ = 0;
    size_t count_ = 0;
};
