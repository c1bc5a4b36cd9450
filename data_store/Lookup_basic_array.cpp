#include "data_store/Lookup_basic_array.h"
#include "platform/data/CDS_Head.h"
#include "platform/data/CDS_Lookup_root.h"
#include "platform/data/CDS_Remote_Receive_buffer.h"
#include "platform/data/CDS_Remote_Send_buffer.h"
#include "platform/data/Data_item_text.h"
#include "platform/data/Dumper.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <type_traits>

namespace CDS {

namespace {

// An element as a number: a character's code unsigned.
template <class T>
double element_value(T value)
{
    if constexpr (std::is_same<T, char>::value)
        return double((unsigned char)value);
    else
        return double(value);
}

// Parses "[v,v,...]" with exactly count values into values; null on any fault.
template <class T>
const char* parse_list(const char* text, T* values, unsigned count)
{
    if (*text != '[')
        return nullptr;
    const char* p = text + 1;
    for (unsigned i = 0; i < count; ++i) {
        if (i > 0) {
            if (*p != ',')
                return nullptr;
            ++p;
        }
        p = Data_item_destringify<T>::from_string(p, values[i]);
        if (!p)
            return nullptr;
    }
    if (*p != ']' || p[1] != '\0')
        return nullptr;
    return p + 1;
}

}

template <class T>
void Lookup_basic_array<T>::print(int depth) const
{
    std::string line;
    char number[32];
    for (unsigned i = 0; i < get_count(); ++i) {
        std::snprintf(number, sizeof number, "%s%G", i ? ", " : "", element_value(first_[i]));
        line += number;
    }
    Debug_print::dprint("%*s%s %s = {%s};\"%s\"\n", depth * 4, "", type_name_text(), name_text(), line.c_str(),
                        comment_text());
}

template <class T>
void Lookup_basic_array<T>::_print(Debug::Dumper& dumper) const
{
    if constexpr (std::is_same<T, char>::value) {
        Data_item_array_stringify<char>::print(name_text(), first_, get_count(), dumper);
    } else {
        if (!dumper.open_list(name_text()))
            return;
        char index[32];
        char text[32];
        for (unsigned i = 0; i < get_count(); ++i) {
            std::snprintf(index, sizeof index, "%i", int(i));
            Data_item_stringify<T>::to_string(first_[i], text, sizeof text);
            dumper.value(index, text);
        }
        dumper.close_list(name_text());
    }
}

template <class T>
const char* Lookup_basic_array<T>::from_string(const char* text, Head& head)
{
    if (!text)
        return nullptr;
    // Scratch room for the largest array: the count is one byte.
    T values[255];
    const char* end;
    if constexpr (std::is_same<T, char>::value)
        end = Data_item_array_destringify<char>::from_string(text, values, get_count());
    else
        end = parse_list(text, values, get_count());
    if (end)
        head.write(first_, values, get_item_size());
    return end;
}

template <class T>
bool Lookup_basic_array<T>::encode_value(Remote::Send_buffer& buffer) const
{
    T values[255];
    Head& head = const_cast<Lookup_basic_array*>(this)->root()->get_head();
    head.lock();
    std::copy(first_, first_ + get_count(), values);
    head.unlock();
    if (!buffer.append(uint8_t(get_count())))
        return false;
    for (unsigned i = 0; i < get_count(); ++i)
        if (!buffer.append(values[i]))
            return false;
    return true;
}

template <class T>
bool Lookup_basic_array<T>::decode_value(Remote::Receive_buffer& buffer)
{
    uint8_t count;
    if (!buffer.pop(count))
        return false;
    T values[255];
    for (unsigned i = 0; i < count; ++i)
        if (!buffer.pop(values[i]))
            return false;
    unsigned n = std::min<unsigned>(count, get_count());
    if constexpr (std::is_same<T, char>::value) {
        if (n > 0 && n == get_count())
            values[n - 1] = '\0';
    }
    if (n > 0)
        root()->get_head().write(first_, values, n * unsigned(sizeof(T)));
    return true;
}

template class Lookup_basic_array<char>;
template class Lookup_basic_array<bool>;
template class Lookup_basic_array<uint8_t>;
template class Lookup_basic_array<uint32_t>;
template class Lookup_basic_array<float>;

}
