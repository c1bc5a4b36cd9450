#include "messaging/cds/CDS_Remote_Basic_array.h"
#include "messaging/cds/CDS_Remote_Element.h"
#include "platform/data/CDS_Remote_Receive_buffer.h"
#include "platform/data/CDS_Remote_Send_buffer.h"

#include <algorithm>
#include <type_traits>

namespace CDS {
namespace Remote {

template <class T>
int Basic_array<T>::_to_string(char* text, int room) const
{
    if (room < 1)
        return 0;
    text[0] = '\0';
    const char* separator = std::is_same<T, char>::value ? "" : ",";
    int written = 0;
    for (size_t i = 0; i < storage_.size() && written < room - 1; ++i) {
        if (i > 0 && *separator)
            written += Element<char>::to_text(*separator, text + written, room - written);
        written += Element<T>::to_text(storage_[i], text + written, room - written);
    }
    return written;
}

template <class T>
bool Basic_array<T>::store(const std::vector<T>& values)
{
    if (values.size() <= storage_.size() && storage_.empty())
        return false;
    if (values.size() > storage_.size())
        storage_.assign(values.size(), T{});
    std::copy(values.begin(), values.end(), storage_.begin());
    return true;
}

template <class T>
bool Basic_array<T>::set_value(const QVariant& value)
{
    if (!value.canConvert<QVariantList>())
        return false;
    const QVariantList list = value.toList();
    if (list.size() > max_count)
        return false;
    std::vector<T> values;
    for (const QVariant& item : list) {
        T element;
        if (!Element<T>::from_variant(item, element))
            return false;
        values.push_back(element);
    }
    return store(values);
}

template <class T>
bool Basic_array<T>::get_value(QVariant& value) const
{
    if (storage_.empty()) {
        value = QVariant();
        return false;
    }
    QVariantList list;
    for (T element : storage_)
        list.append(Element<T>::to_variant(element));
    value = list;
    return true;
}

template <class T>
bool Basic_array<T>::encode_value(Send_buffer& buffer) const
{
    if (!buffer.append(uint8_t(storage_.size())))
        return false;
    for (T element : storage_)
        if (!buffer.append(element))
            return false;
    return true;
}

template <class T>
bool Basic_array<T>::decode_value(Receive_buffer& buffer)
{
    uint8_t count;
    if (!buffer.pop(count))
        return false;
    std::vector<T> values;
    for (unsigned i = 0; i < count; ++i) {
        T element;
        if (!buffer.pop(element))
            return false;
        values.push_back(element);
    }
    if (!store(values))
        return false;
    ++update_count_;
    return true;
}

template class Basic_array<bool>;
template class Basic_array<char>;
template class Basic_array<uint8_t>;
template class Basic_array<uint16_t>;
template class Basic_array<uint32_t>;
template class Basic_array<int8_t>;
template class Basic_array<int16_t>;
template class Basic_array<int32_t>;
template class Basic_array<float>;
template class Basic_array<double>;
template class Basic_array<uint64_t>;
template class Basic_array<int64_t>;

}
}
