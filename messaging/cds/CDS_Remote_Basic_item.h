#pragma once
#include "messaging/cds/CDS_Remote_Item.h"

namespace CDS {
namespace Remote {

// A mirrored single value.
template <class T>
class Basic_item : public Item {
public:
    using Item::Item;

    item_type_t get_type() const override { return data_item_type_of<T>(); }
    int _to_string(char* text, int room) const override;
    bool set_value(const QVariant& value) override;
    bool get_value(QVariant& value) const override;

protected:
    bool encode_value(Send_buffer& buffer) const override;
    bool decode_value(Receive_buffer& buffer) override;

private:
    T value_{};
};

extern template class Basic_item<bool>;
extern template class Basic_item<char>;
extern template class Basic_item<uint8_t>;
extern template class Basic_item<uint16_t>;
extern template class Basic_item<uint32_t>;
extern template class Basic_item<int8_t>;
extern template class Basic_item<int16_t>;
extern template class Basic_item<int32_t>;
extern template class Basic_item<float>;
extern template class Basic_item<double>;
extern template class Basic_item<uint64_t>;
extern template class Basic_item<int64_t>;

}
}
