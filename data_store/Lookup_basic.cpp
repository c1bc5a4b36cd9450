#include "data_store/Lookup_basic.h"
#include "platform/data/CDS_Head.h"
#include "platform/data/CDS_Lookup_root.h"
#include "platform/data/CDS_Remote_Receive_buffer.h"
#include "platform/data/CDS_Remote_Send_buffer.h"
#include "platform/data/Data_item_text.h"
#include "platform/data/Dumper.h"
#include "platform/rtos/Debug_base.h"

namespace CDS {

template <class T>
void Lookup_basic<T>::print(int depth) const
{
    Debug_print::dprint("%*s%s %s = %G; \"%s\"\n", depth * 4, "", type_name_text(), name_text(), double(*field_),
                        comment_text());
}

template <class T>
void Lookup_basic<T>::_print(Debug::Dumper& dumper) const
{
    char text[32];
    Data_item_stringify<T>::to_string(*field_, text, sizeof text);
    dumper.value(name_text(), text);
}

template <class T>
int Lookup_basic<T>::_to_string(char* buffer, int length) const
{
    return Data_item_stringify<T>::to_string(*field_, buffer, length);
}

template <class T>
const char* Lookup_basic<T>::parse(const char* text, T& value)
{
    const char* end = Data_item_destringify<T>::from_string(text, value);
    if (!end)
        return nullptr;
    const char* rest = end;
    while (*rest == ' ' || *rest == '\t')
        ++rest;
    return *rest ? nullptr : end;
}

template <class T>
bool Lookup_basic<T>::operator==(const char* text) const
{
    T value{};
    return parse(text, value) && value == *field_;
}

template <class T>
const char* Lookup_basic<T>::from_string(const char* text, Head& head)
{
    T value{};
    const char* end = parse(text, value);
    if (end)
        head.set(*field_, value);
    return end;
}

template <class T>
bool Lookup_basic<T>::encode_value(Remote::Send_buffer& buffer) const
{
    Head& head = const_cast<Lookup_basic*>(this)->root()->get_head();
    head.lock();
    T value = *field_;
    head.unlock();
    return buffer.append(value);
}

template <class T>
bool Lookup_basic<T>::decode_value(Remote::Receive_buffer& buffer)
{
    T value;
    if (!buffer.pop(value))
        return false;
    root()->get_head().set(*field_, value);
    return true;
}

template class Lookup_basic<bool>;
template class Lookup_basic<uint8_t>;
template class Lookup_basic<uint16_t>;
template class Lookup_basic<uint32_t>;
template class Lookup_basic<int32_t>;
template class Lookup_basic<float>;
template class Lookup_basic<double>;
template class Lookup_basic<uint64_t>;

}
