#include "platform/io/Gril_message.h"
#include "platform/io/Binary_message.h"

#include <algorithm>
#include <cstring>

Gril_message::Gril_message(size_t capacity) : bytes_(std::max(capacity, min_length), 0) {}

bool Gril_message::setup(const char* type, size_t length)
{
    if (!type || std::strlen(type) != 2 || length < min_length || length > bytes_.size() || length > 0xFFFF)
        return false;
    bytes_[0] = sync;
    bytes_[1] = uint8_t(type[0]);
    bytes_[2] = uint8_t(type[1]);
    Binary_message::set_uint16_le(&bytes_[3], uint16_t(length));
    return true;
}

size_t Gril_message::get_length() const
{
    return Binary_message::get_uint16_le(&bytes_[3]);
}

uint8_t Gril_message::checksum_of(const uint8_t* bytes, size_t n)
{
    uint8_t sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum = uint8_t(sum + bytes[i]);
    return uint8_t(-sum);
}

void Gril_message::set_checksum()
{
    const size_t length = get_length();
    if (length >= min_length && length <= bytes_.size())
        bytes_[length - 1] = checksum_of(bytes_.data(), length - 1);
}

bool Gril_message::validate(const char* type) const
{
    const size_t length = get_length();
    return type && std::strlen(type) == 2 && bytes_[0] == sync && bytes_[1] == uint8_t(type[0]) &&
           bytes_[2] == uint8_t(type[1]) && length >= min_length && length <= bytes_.size() &&
           bytes_[length - 1] == checksum_of(bytes_.data(), length - 1);
}

bool Gril_message::assign(const uint8_t* bytes, size_t n)
{
    if (!bytes || n > bytes_.size())
        return false;
    std::copy_n(bytes, n, bytes_.begin());
    return true;
}
