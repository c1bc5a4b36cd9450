#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The bytes of one message, with its length.
class ZEV_base_message {
public:
    explicit ZEV_base_message(size_t size = 0, uint8_t fill_value = 0xFF) : bytes_(size, fill_value) {}
    virtual ~ZEV_base_message() = default;

    uint8_t* data() { return bytes_.data(); }
    const uint8_t* data() const { return bytes_.data(); }
    size_t size() const { return bytes_.size(); }
    void fill(uint8_t value);

    // Copies as much of other as fits in this message's length; the length
    // becomes what was copied.
    void copy_from_no_resize(const ZEV_base_message& other);

protected:
    std::vector<uint8_t> bytes_;
};
