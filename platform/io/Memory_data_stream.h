#pragma once
#include "platform/io/Data_stream.h"

#include <vector>

// A stream whose far side is the test: feed() plays received bytes, and
// what was sent is kept for take_written().
class Memory_data_stream : public Data_stream {
public:
    explicit Memory_data_stream(size_t capacity = default_capacity) : Data_stream(capacity) {}

    bool __write(const uint8_t* bytes, size_t n) override;

    // Returns how many of the bytes fitted in the receive buffer.
    size_t feed(const std::vector<uint8_t>& bytes);
    // The bytes sent since the last call.
    std::vector<uint8_t> take_written();

private:
    std::mutex written_mutex_;
    std::vector<uint8_t> written_;
};
