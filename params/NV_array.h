#pragma once
#include "platform/data/NV_item.h"

namespace NV_store {

template <class T, Data_item::item_type_t type, class count_t, count_t N>
class NV_array;

// The 20-character text field of channels and products. The text need not be
// terminated: 20 characters fill the field. Every accessor takes the item's
// lock, so a reader never sees half a write.
template <>
class NV_array<char, Data_item::type_char, unsigned char, 20> : public NV_item {
public:
    static constexpr int length = 20;

    NV_array(NV_container* parent, unsigned short id, const char* name);

    item_type_t get_type() const override { return type_char; }
    class_type_t get_class_type() const override { return class_array; }
    form_t get_form() const override { return form_counted; }
    int size() const { return length; }

    // Character index; an index outside 0 to 19 reads character 0.
    char at(int index) const;
    char get(int index) const { return at(index); }
    // Copies count characters (20 when count is outside 0 to 19); returns how many.
    int get(char* dst, int count) const;
    // Copies up to max characters (at most 20); false, copying nothing, when max <= 0.
    bool copy_to(char* dst, int max) const;
    // Stores count characters of src (20 when count is outside 0 to 19),
    // keeping the rest, and notifies; returns how many.
    int set(const char* src, int count);
    // False, changing nothing, for an index outside 0 to 19.
    bool set(int index, char value);

    bool set_default(bool flag) override;
    // The counted record: 20, then the characters. A record with another count
    // loads what it holds (at most 20 characters) and says so.
    bool serialise(NV_iterator* it) const override;
    bool deserialise(NV_iterator* it) override;
    // The whole text, zero-filled, up to 20 characters without a terminator;
    // refused (nothing changes) when it is longer.
    const char* _from_string(const char* text) override;
    using NV_item::_print;
    void _print(Debug::Dumper& dumper, const char* name) const override;

protected:
    bool assign_from(const NV_item& other, notify_t mode) override;
    // Remote: the count (20), then the characters. A count above 20 has its
    // extra characters read and dropped; characters beyond a smaller count
    // keep their values; a value cut short changes nothing.
    bool encode_value(CDS::Remote::Send_buffer& buffer) const override;
    bool decode_value(CDS::Remote::Receive_buffer& buffer) override;

private:
    // Stores all 20 characters under the lock; notifies with mode.
    bool store(const char* chars, int count, notify_t mode);

    char default_element_ = 0;
    char elements_[length] = {};
};

}
