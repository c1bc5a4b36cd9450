#include "messaging/cds/CDS_Remote_Basic_item.h"
#include "messaging/cds/CDS_Remote_Element.h"
#include "platform/data/CDS_Remote_Receive_buffer.h"
#include "platform/data/CDS_Remote_Send_buffer.h"

namespace CDS {
namespace Remote {

template <class T>
int Basic_item<T>::_to_string(char* text, int room) const
{
    return Element<T>::to_text(value_, text, room);
}

template <class T>
bool Basic_item<T>::set_value(const QVariant& value)
{
    return Element<T>::from_variant(value, value_);
}

template <class T>
bool Basic_item<T>::get_value(QVariant& value) const
{
    if (!update_count_) {
        value = QVariant();
        return false;
    }
    value = Element<T>::to_variant(value_);
    return true;
}

template <class T>
bool Basic_item<T>::encode_value(Send_buffer& buffer) const
{
    return buffer.append(value_);
}

template <class T>
bool Basic_item<T>::decode_value(Receive_buffer& buffer)
{
    if (!buffer.pop(value_))
        return false;
    ++update_count_;
    return true;
}

template class Basic_item<bool>;
template class Basic_item<char>;
template class Basic_item<uint8_t>;
template class Basic_item<uint16_t>;
template class Basic_item<uint32_t>;
template class Basic_item<int8_t>;
template class Basic_item<int16_t>;
template class Basic_item<int32_t>;
template class Basic_item<float>;
template class Basic_item<double>;
template class Basic_item<uint64_t>;
template class Basic_item<int64_t>;

}
}
