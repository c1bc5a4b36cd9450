#include "platform/io/File_checksummed_data_stream.h"
#include "platform/io/Binary_message.h"
#include "platform/io/File_util.h"
#include "platform/io/Util.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr char magic[4] = {'K', 'X', 'C', 'S'};

}

File_checksummed_data_stream::~File_checksummed_data_stream()
{
    close();
}

std::vector<uint8_t> File_checksummed_data_stream::frame(const uint8_t* payload, size_t n)
{
    std::vector<uint8_t> file(magic, magic + sizeof magic);
    file.resize(8);
    Binary_message::set_uint32_le(file.data() + 4, uint32_t(n));
    if (n)
        file.insert(file.end(), payload, payload + n);
    uint8_t crc[4];
    Binary_message::set_uint32_le(crc, Util::crc32(0, file.data(), file.size()));
    file.insert(file.end(), crc, crc + 4);
    return file;
}

bool File_checksummed_data_stream::unframe(const std::vector<uint8_t>& file, std::vector<uint8_t>& payload)
{
    if (file.size() < frame_size || std::memcmp(file.data(), magic, sizeof magic) != 0)
        return false;
    const size_t n = Binary_message::get_uint32_le(file.data() + 4);
    if (n > max_payload || file.size() != frame_size + n)
        return false;
    const size_t body = 8 + n;
    if (Binary_message::get_uint32_le(file.data() + body) != Util::crc32(0, file.data(), body))
        return false;
    payload.assign(file.begin() + 8, file.begin() + std::ptrdiff_t(body));
    return true;
}

bool File_checksummed_data_stream::open_read(const char* path)
{
    close();
    drop_all();
    if (!path)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    // One byte more than the largest sound file tells a longer one apart.
    std::vector<uint8_t> file;
    char chunk[4096];
    while (file.size() <= max_payload + frame_size && in.read(chunk, sizeof chunk).gcount() > 0)
        file.insert(file.end(), chunk, chunk + in.gcount());
    std::vector<uint8_t> payload;
    if (in.bad() || !unframe(file, payload))
        return false;
    return store(payload.data(), payload.size()) == payload.size();
}

bool File_checksummed_data_stream::open_write(const char* path)
{
    close();
    drop_all();
    if (!path || !*path)
        return false;
    path_ = path;
    writing_ = true;
    pending_.clear();
    return true;
}

bool File_checksummed_data_stream::close()
{
    if (!writing_)
        return true;
    writing_ = false;
    const std::vector<uint8_t> file = frame(pending_.data(), pending_.size());
    pending_.clear();
    return File_util::replace(path_, file.data(), file.size()).ok();
}

bool File_checksummed_data_stream::__write(const uint8_t* bytes, size_t n)
{
    if (!writing_ || (!bytes && n) || n > max_payload - pending_.size())
        return false;
    pending_.insert(pending_.end(), bytes, bytes + n);
    return true;
}
