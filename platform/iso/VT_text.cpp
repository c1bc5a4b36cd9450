#include "platform/iso/VT_text.h"

#include <cstring>

namespace VT {

void fill_text(char* value, size_t length, const char* text)
{
    if (!value)
        return;
    size_t n = text ? strnlen(text, length) : 0;
    if (n)
        std::memcpy(value, text, n);
    std::memset(value + n, ' ', length - n);
}

}
