#pragma once
#include "platform/data/CDS_Lookup_basic_array_base.h"

#include <cstddef>
#include <cstdint>

namespace CDS {

// The lookup node of a fixed array of plain values of the store: char
// (a text field), bool, uint8_t, uint32_t or float.
template <class T>
class Lookup_basic_array : public Lookup_basic_array_base {
public:
    template <size_t N>
    Lookup_basic_array(Lookup_struct& parent, T (&array)[N])
        : Lookup_basic_array_base(parent, (unsigned char)N), first_(array)
    {
        static_assert(N <= 255, "an array node counts its elements in one byte");
    }
    // count elements from first.
    Lookup_basic_array(Lookup_struct& parent, T* first, unsigned char count)
        : Lookup_basic_array_base(parent, count), first_(first)
    {
    }

    item_type_t get_type() const override { return data_item_type_of<T>(); }
    void* get_item_ptr() const override { return first_; }
    unsigned get_item_size() const override { return get_count() * unsigned(sizeof(T)); }

    // "<type name> <name> = {<e0>, <e1>, ...};"<comment>"", each element as %G.
    void print(int depth) const override;
    void _print(Debug::Dumper& dumper) const override;
    // "[v,v,...]" with exactly the array's count of values and nothing after
    // "]"; a text field takes the whole text, shorter than the field.
    const char* from_string(const char* text, Head& head) override;

protected:
    // The count, then the elements, read under the store's lock. A write
    // stores as many elements as it brings (extra ones are read and dropped)
    // as one locked write; a text field keeps its terminator.
    bool encode_value(Remote::Send_buffer& buffer) const override;
    bool decode_value(Remote::Receive_buffer& buffer) override;

private:
    T* const first_;
};

extern template class Lookup_basic_array<char>;
extern template class Lookup_basic_array<bool>;
extern template class Lookup_basic_array<uint8_t>;
extern template class Lookup_basic_array<uint32_t>;
extern template class Lookup_basic_array<float>;

}
