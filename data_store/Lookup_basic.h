#pragma once
#include "platform/data/CDS_Lookup_item.h"

#include <cstdint>

namespace CDS {

// The lookup node of one plain field of the store: bool, uint8_t, uint16_t,
// uint32_t (also the fields published as "unsigned long", 32 bits here as on
// the target), int32_t, float, double or uint64_t.
template <class T>
class Lookup_basic : public Lookup_item {
public:
    Lookup_basic(Lookup_struct& parent, T* field)
        : Lookup_item(parent), field_(field)
    {
    }

    item_type_t get_type() const override { return data_item_type_of<T>(); }
    void* get_item_ptr() const override { return field_; }
    unsigned get_item_size() const override { return sizeof(T); }

    // "<type name> <name> = <value as %G>; "<comment>"".
    void print(int depth) const override;
    void _print(Debug::Dumper& dumper) const override;
    int _to_string(char* buffer, int length) const override;
    // True when the text is a value of T equal to the field's.
    bool operator==(const char* text) const override;
    // One value, optionally followed by blanks and nothing else.
    const char* from_string(const char* text, Head& head) override;
    void notify() override { notify_cds(field_, sizeof(T)); }

protected:
    // Read under the store's lock; written as a locked write with its change event.
    bool encode_value(Remote::Send_buffer& buffer) const override;
    bool decode_value(Remote::Receive_buffer& buffer) override;

private:
    // The value of text, or null when text is not one value of T alone.
    static const char* parse(const char* text, T& value);

    T* const field_;
};

extern template class Lookup_basic<bool>;
extern template class Lookup_basic<uint8_t>;
extern template class Lookup_basic<uint16_t>;
extern template class Lookup_basic<uint32_t>;
extern template class Lookup_basic<int32_t>;
extern template class Lookup_basic<float>;
extern template class Lookup_basic<double>;
extern template class Lookup_basic<uint64_t>;

}
