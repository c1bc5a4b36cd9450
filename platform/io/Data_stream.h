#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>

// A byte stream with a bounded receive buffer: the far side's bytes wait
// here until the reader peeks at them, copies them out and drops them.
// Safe between one thread that receives and one that reads.
class Data_stream {
public:
    static constexpr size_t default_capacity = 4096;

    explicit Data_stream(size_t capacity = default_capacity);
    virtual ~Data_stream() = default;
    Data_stream(const Data_stream&) = delete;
    Data_stream& operator=(const Data_stream&) = delete;

    // Sends n bytes; true when all of them went.
    virtual bool __write(const uint8_t* bytes, size_t n) = 0;

    size_t bytes_avail() const;
    // True when at least n bytes are buffered.
    bool bytes_avail(size_t n) const;
    // The i-th buffered byte, left in place; 0 beyond the buffered bytes.
    uint8_t operator[](size_t i) const;
    // Drops the first n bytes (all of them when fewer are buffered).
    void drop(size_t n);
    void drop_all();
    // Copies the first n buffered bytes, leaving them in place; false (and
    // nothing copied) when fewer are buffered.
    bool get_data(uint8_t* buffer, size_t n) const;

    size_t get_capacity() const { return capacity_; }

protected:
    // Appends received bytes; returns how many fitted (the rest are lost,
    // as on a receiver that overruns).
    size_t store(const uint8_t* bytes, size_t n);

private:
    const size_t capacity_;
    mutable std::mutex mutex_;
    std::deque<uint8_t> buffer_;
};
