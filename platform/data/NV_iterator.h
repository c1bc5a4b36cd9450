#pragma once
#include "platform/data/NV_item.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace NV_store {

// The byte image of a parameter file, built by serialise and read by
// deserialise. Little-endian throughout:
//
//   file  := "KXNV" | u16 format version | u32 payload length | payload | u32 CRC-32
//   payload := one item (the tree's top container)
//   item  := u8 type byte | u8 form | u16 id | body
//   body  := form_value:     the value, its size fixed by the type
//          | form_container: u32 length, then the children's items
//          | form_counted:   u8 count, then count elements
//
// The CRC covers every byte before it. Every item can be skipped from its
// header alone, so a reader passes over what it does not know. An image is
// checked whole (framing, version, length, CRC and the nesting of every
// item) before the first value is read from it: a bad image yields nothing.
class NV_iterator {
public:
    static constexpr uint16_t format_version = 1;

    NV_iterator() = default;
    virtual ~NV_iterator() = default;
    NV_iterator(const NV_iterator&) = delete;
    NV_iterator& operator=(const NV_iterator&) = delete;

    // Writing: start, push the items, finish; then get_image().
    void start_image();
    // A container's header opens it: its children follow until close_container.
    bool push_header(uint8_t type_byte, form_t form, uint16_t id);
    bool close_container();
    bool push_uint8(uint8_t value) { return push_bytes(&value, 1); }
    bool push_char(char value) { return push_value(value); }
    template <class T>
    bool push_value(T value);
    // False when a container is still open.
    bool finish_image();
    const std::vector<uint8_t>& get_image() const { return image_; }

    // Reading: false, and nothing to read, unless the whole image is sound.
    bool open_image(std::vector<uint8_t> image);
    // Why the last read found nothing to read; empty after a sound image.
    const std::string& get_problem() const { return problem_; }
    bool is_open_for_reading() const { return state_ == state_reading; }
    bool peek_header(uint8_t& type_byte, uint8_t& form, uint16_t& id) const;
    bool pop_header(uint8_t& type_byte, uint8_t& form, uint16_t& id);
    // Pops the next header only when it is item's: its type byte, form and id.
    bool pop_header_of(const NV_item& item);
    // After a container's header: its length; end is where its children stop.
    bool pop_container(size_t& end);
    bool at_end_of(size_t end) const { return position_ >= end; }
    bool skip_item();
    bool pop_uint8(uint8_t& value) { return pop_bytes(&value, 1); }
    bool pop_char(char& value) { return pop_value(value); }
    template <class T>
    bool pop_value(T& value);

    // Ends reading or writing and drops the image.
    void close();

protected:
    std::string problem_; // see get_problem

private:
    enum State { state_idle, state_writing, state_reading };

    bool push_bytes(const uint8_t* bytes, size_t count);
    bool pop_bytes(uint8_t* bytes, size_t count);
    // Where the well-formed item at pos ends (within limit), or 0.
    size_t item_end(size_t pos, size_t limit, int depth) const;
    std::string image_problem() const;

    State state_ = state_idle;
    std::vector<uint8_t> image_;
    std::vector<size_t> open_containers_; // positions of their length fields
    size_t position_ = 0;
    size_t payload_end_ = 0;
};

namespace detail {
template <size_t n> struct Uint_of_size;
template <> struct Uint_of_size<1> { using type = uint8_t; };
template <> struct Uint_of_size<2> { using type = uint16_t; };
template <> struct Uint_of_size<4> { using type = uint32_t; };
template <> struct Uint_of_size<8> { using type = uint64_t; };
}

template <class T>
bool NV_iterator::push_value(T value)
{
    static_assert(std::is_arithmetic<T>::value, "parameter values are numbers");
    if constexpr (std::is_same<T, bool>::value) {
        return push_uint8(value ? 1 : 0);
    } else {
        typename detail::Uint_of_size<sizeof(T)>::type bits;
        std::memcpy(&bits, &value, sizeof bits);
        uint8_t bytes[sizeof(T)];
        for (size_t i = 0; i < sizeof(T); ++i)
            bytes[i] = uint8_t(uint64_t(bits) >> (8 * i));
        return push_bytes(bytes, sizeof bytes);
    }
}

template <class T>
bool NV_iterator::pop_value(T& value)
{
    static_assert(std::is_arithmetic<T>::value, "parameter values are numbers");
    if constexpr (std::is_same<T, bool>::value) {
        uint8_t byte;
        if (!pop_uint8(byte))
            return false;
        value = byte != 0;
        return true;
    } else {
        uint8_t bytes[sizeof(T)];
        if (!pop_bytes(bytes, sizeof bytes))
            return false;
        uint64_t wide = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            wide |= uint64_t(bytes[i]) << (8 * i);
        auto bits = typename detail::Uint_of_size<sizeof(T)>::type(wide);
        std::memcpy(&value, &bits, sizeof value);
        return true;
    }
}

}
