#pragma once
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace CDS {
namespace Remote {

// The input of a remote decoding: reads values from bytes that came from
// outside, never beyond their end. A read that does not find its whole value
// takes nothing and fails.
class Receive_buffer {
public:
    Receive_buffer(const uint8_t* data, unsigned length)
        : data_(data), length_(length)
    {
    }

    // Scalars little-endian at their size; a bool is any byte, true unless 0.
    template <class T>
    bool pop(T& value)
    {
        static_assert(std::is_arithmetic<T>::value, "plain values only");
        if (remaining() < sizeof(T))
            return false;
        const uint8_t* p = data_ + position_;
        position_ += unsigned(sizeof(T));
        if constexpr (std::is_same<T, bool>::value) {
            value = p[0] != 0;
        } else {
            std::make_unsigned_t<std::conditional_t<std::is_floating_point<T>::value, int64_t, T>> bits = 0;
            for (unsigned i = 0; i < sizeof(T); ++i)
                bits |= decltype(bits)(p[i]) << (8 * i);
            std::memcpy(&value, &bits, sizeof(T));
        }
        return true;
    }

    // Description text: the next character without taking it (0 at the end);
    // takes c when it comes next; a lower-case or upper-case hexadecimal
    // number of at most 8 digits; the characters up to (not including) the
    // next of stops or the end, at most max - 1 of them kept with a
    // terminator (false when there were more).
    char peek() const { return remaining() ? char(data_[position_]) : 0; }
    bool pop_if(char c);
    bool pop_hex(uint32_t& value);
    bool pop_token(char* text, unsigned max, const char* stops);

    unsigned remaining() const { return length_ - position_; }

private:
    const uint8_t* const data_;
    const unsigned length_;
    unsigned position_ = 0;
};

}
}
