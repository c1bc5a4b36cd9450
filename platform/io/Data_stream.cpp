#include "platform/io/Data_stream.h"

#include <algorithm>

Data_stream::Data_stream(size_t capacity) : capacity_(capacity) {}

size_t Data_stream::bytes_avail() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return buffer_.size();
}

bool Data_stream::bytes_avail(size_t n) const
{
    return bytes_avail() >= n;
}

uint8_t Data_stream::operator[](size_t i) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return i < buffer_.size() ? buffer_[i] : 0;
}

void Data_stream::drop(size_t n)
{
    std::lock_guard<std::mutex> lock(mutex_);
    buffer_.erase(buffer_.begin(), buffer_.begin() + std::min(n, buffer_.size()));
}

void Data_stream::drop_all()
{
    std::lock_guard<std::mutex> lock(mutex_);
    buffer_.clear();
}

bool Data_stream::get_data(uint8_t* buffer, size_t n) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (n > buffer_.size() || (!buffer && n))
        return false;
    std::copy_n(buffer_.begin(), n, buffer);
    return true;
}

size_t Data_stream::store(const uint8_t* bytes, size_t n)
{
    std::lock_guard<std::mutex> lock(mutex_);
    size_t fits = bytes ? std::min(n, capacity_ - buffer_.size()) : 0;
    buffer_.insert(buffer_.end(), bytes, bytes + fits);
    return fits;
}
