#include "app/slave_version.h"

namespace {

// One part up to the next '.' or the end; moves text past the '.'.
uint8_t take_part(const char*& text)
{
    unsigned value = 0;
    bool numeric = *text != '\0' && *text != '.';
    for (; *text != '\0' && *text != '.'; ++text) {
        if (*text < '0' || *text > '9')
            numeric = false;
        else if (value < 255)
            value = value * 10 + unsigned(*text - '0');
    }
    if (*text == '.')
        ++text;
    return numeric ? uint8_t(value > 255 ? 255 : value) : 0;
}

}

ds_version parse_slave_version(const char* text)
{
    ds_version version{};
    if (!text)
        return version;
    version.v_major = take_part(text);
    version.v_minor = take_part(text);
    version.v_patch = take_part(text);
    return version;
}
