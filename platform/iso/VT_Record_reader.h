#pragma once
#include <cstddef>
#include <cstdint>

namespace VT {

// Takes ISO 11783-6 record fields (little-endian) from a byte range. A read
// past the end fails, gives zeros and leaves the reader failed for good.
class Record_reader {
public:
    Record_reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }
    size_t position() const { return pos_; }
    bool at_end() const { return pos_ >= size_; }

    uint8_t u8();
    uint16_t u16();
    uint32_t u32();
    float f32();
    // The next size bytes, or null (and failed) when fewer are left.
    const uint8_t* take(size_t size);

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

}
