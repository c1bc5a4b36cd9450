#include "platform/io/Memory_data_stream.h"

bool Memory_data_stream::__write(const uint8_t* bytes, size_t n)
{
    if (!bytes && n)
        return false;
    std::lock_guard<std::mutex> lock(written_mutex_);
    written_.insert(written_.end(), bytes, bytes + n);
    return true;
}

size_t Memory_data_stream::feed(const std::vector<uint8_t>& bytes)
{
    return store(bytes.data(), bytes.size());
}

std::vector<uint8_t> Memory_data_stream::take_written()
{
    std::lock_guard<std::mutex> lock(written_mutex_);
    std::vector<uint8_t> taken;
    taken.swap(written_);
    return taken;
}
