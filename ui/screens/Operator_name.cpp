#include "ui/screens/Operator_name.h"

#include <algorithm>
#include <cstring>

namespace Operator_name {

namespace {

constexpr int length = NV_quvel::nv_name::length;

// The first 19 characters and a zero in place of the 20th.
void read_text(const NV_quvel::nv_name& name, char (&text)[length])
{
    name.get(text, length);
    text[length - 1] = '\0';
}

}

std::string shown(const NV_quvel::nv_name& name)
{
    char text[length];
    read_text(name, text);
    std::string shown(text);
    shown.erase(shown.find_last_not_of(' ') + 1);
    return shown;
}

void store_typed(NV_quvel::nv_name& name, const std::string& typed)
{
    char padded[length];
    std::memset(padded, ' ', length);
    std::memcpy(padded, typed.data(), std::min(typed.size(), size_t(length - 1)));
    name.set(padded, length);
}

void copy(NV_quvel::nv_name& to, const NV_quvel::nv_name& from)
{
    char text[length];
    read_text(from, text);
    to.set(text, int(std::strlen(text)) + 1);
}

}
