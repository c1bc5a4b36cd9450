#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Takes a fuzzer's input apart from the front. Past the end every read gives
// zeros, so a short input is a valid one.
class Fuzz_input {
public:
    Fuzz_input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return pos_ >= size_; }
    uint8_t u8() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint16_t u16()
    {
        uint16_t low = u8();
        return uint16_t(low | u8() << 8);
    }
    uint32_t u32()
    {
        uint32_t low = u16();
        return low | uint32_t(u16()) << 16;
    }
    // The rest of the input.
    std::string rest()
    {
        std::string out(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_);
        pos_ = size_;
        return out;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};
