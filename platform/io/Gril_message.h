#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A framed record of the maker's "gril" format: a five-byte header (a sync
// byte, a two-character type and the record's whole length, little-endian),
// the payload, and a last byte that makes the sum of all bytes zero.
class Gril_message {
public:
    static constexpr size_t header_size = 5;
    static constexpr uint8_t sync = 0xA5;
    // Header and checksum.
    static constexpr size_t min_length = header_size + 1;

    // A buffer of capacity bytes, all zero.
    explicit Gril_message(size_t capacity);
    virtual ~Gril_message() = default;

    // Writes the header for a record of the type (two characters) and
    // length; false, nothing written, when the length is below min_length or
    // over the capacity.
    bool setup(const char* type, size_t length);
    // Sets the last byte of the record from the others.
    void set_checksum();
    // True when the buffer holds a whole record of the type: header, a
    // length that fits, and the checksum.
    bool validate(const char* type) const;
    // Takes a record as read; false when it does not fit the buffer.
    bool assign(const uint8_t* bytes, size_t n);

    // The length in the header.
    size_t get_length() const;
    uint8_t* data() { return bytes_.data(); }
    const uint8_t* data() const { return bytes_.data(); }
    size_t capacity() const { return bytes_.size(); }

    // The checksum byte that completes a record of these bytes.
    static uint8_t checksum_of(const uint8_t* bytes, size_t n);

private:
    std::vector<uint8_t> bytes_;
};
