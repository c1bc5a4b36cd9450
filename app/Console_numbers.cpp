#include "app/Console_numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

bool parse_number(const char* text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0';
}

bool parse_index(const char* text, long& index)
{
    char* end = nullptr;
    errno = 0;
    index = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && errno == 0;
}

namespace {

template <class T>
T truncated(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= double(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (value >= double(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return T(value);
}

}

int32_t to_int32(double value)
{
    return truncated<int32_t>(value);
}

uint32_t to_uint32(double value)
{
    return truncated<uint32_t>(value);
}
