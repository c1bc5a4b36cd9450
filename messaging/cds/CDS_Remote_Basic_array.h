#pragma once
#include "messaging/cds/CDS_Remote_Item.h"

#include <vector>

namespace CDS {
namespace Remote {

// A mirrored array: its storage is as long as the longest value it was
// given (none before the first), and its count on the wire is one byte.
template <class T>
class Basic_array : public Item {
public:
    static constexpr int max_count = 255;

    using Item::Item;

    item_type_t get_type() const override { return data_item_type_of<T>(); }
    class_type_t get_class_type() const override { return class_array; }
    // The elements joined by ","; characters joined by nothing.
    int _to_string(char* text, int room) const override;
    // A list of at most max_count elements that all convert; a longer list
    // than the storage replaces it, a shorter one sets its first elements.
    bool set_value(const QVariant& value) override;
    bool get_value(QVariant& value) const override;

    const std::vector<T>& get() const { return storage_; }

protected:
    bool encode_value(Send_buffer& buffer) const override;
    // The count byte, then that many elements, taken whole or not at all.
    bool decode_value(Receive_buffer& buffer) override;

private:
    // Writes values over the first elements, growing the storage to hold them.
    bool store(const std::vector<T>& values);

    std::vector<T> storage_;
};

extern template class Basic_array<bool>;
extern template class Basic_array<char>;
extern template class Basic_array<uint8_t>;
extern template class Basic_array<uint16_t>;
extern template class Basic_array<uint32_t>;
extern template class Basic_array<int8_t>;
extern template class Basic_array<int16_t>;
extern template class Basic_array<int32_t>;
extern template class Basic_array<float>;
extern template class Basic_array<double>;
extern template class Basic_array<uint64_t>;
extern template class Basic_array<int64_t>;

}
}
