#pragma once
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace CDS {
namespace Remote {

// The output of a remote encoding: values and description text go into a
// caller's buffer. The first skip bytes of the output are counted but not
// kept (a description is fetched in slices), and at most capacity bytes are
// kept; an append that does not fit keeps what fits and fails (a value
// that must go whole goes back to its mark).
class Send_buffer {
public:
    Send_buffer(uint8_t* buffer, unsigned capacity, unsigned skip = 0)
        : buffer_(buffer), capacity_(capacity), skip_(skip)
    {
    }

    // Scalars little-endian at their size; bool as one byte 0 or 1.
    template <class T>
    bool append(T value)
    {
        static_assert(std::is_arithmetic<T>::value, "plain values only");
        uint8_t bytes[sizeof(T)];
        if constexpr (std::is_same<T, bool>::value) {
            bytes[0] = value ? 1 : 0;
        } else {
            std::make_unsigned_t<std::conditional_t<std::is_floating_point<T>::value, int64_t, T>> bits = 0;
            std::memcpy(&bits, &value, sizeof(T));
            for (unsigned i = 0; i < sizeof(T); ++i)
                bytes[i] = uint8_t(bits >> (8 * i));
        }
        return append_bytes(bytes, sizeof(T));
    }
    // The characters of text, without its terminator.
    bool append_text(const char* text) { return append_bytes(text, unsigned(std::strlen(text))); }
    bool append_bytes(const void* data, unsigned length);

    // Bytes kept in the buffer so far.
    unsigned size() const { return kept_; }

    // A point to go back to when a value turns out not to fit whole.
    struct Mark {
        unsigned produced, kept;
    };
    Mark mark() const { return {produced_, kept_}; }
    void rewind(const Mark& m)
    {
        produced_ = m.produced;
        kept_ = m.kept;
    }

private:
    uint8_t* const buffer_;
    const unsigned capacity_;
    const unsigned skip_;
    unsigned produced_ = 0; // output so far, skipped bytes included
    unsigned kept_ = 0;
};

}
}
