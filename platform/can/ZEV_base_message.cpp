#include "platform/can/ZEV_base_message.h"

#include <algorithm>

void ZEV_base_message::fill(uint8_t value)
{
    std::fill(bytes_.begin(), bytes_.end(), value);
}

void ZEV_base_message::copy_from_no_resize(const ZEV_base_message& other)
{
    size_t n = std::min(size(), other.size());
    std::copy(other.bytes_.begin(), other.bytes_.begin() + std::ptrdiff_t(n), bytes_.begin());
    bytes_.resize(n);
}
