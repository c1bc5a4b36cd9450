#pragma once
#include <cmath>
#include <cstdint>
#include <limits>

namespace TC_client {

// The value as an int32, cut toward zero; beyond the range it is the nearest
// limit, and NaN, which has no integer, is 0.
inline int32_t saturated_int32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (value <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return int32_t(value);
}

}
