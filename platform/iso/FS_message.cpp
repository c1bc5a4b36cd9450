#include "platform/iso/FS_message.h"
#include "platform/io/Binary_message.h"

namespace FS {

namespace {
constexpr size_t frame = 8;

std::vector<uint8_t> padded(std::vector<uint8_t> bytes)
{
    if (bytes.size() < frame)
        bytes.resize(frame, 0xFF);
    return bytes;
}

// Function, TAN, then a path of length bytes behind its 2-byte length.
std::vector<uint8_t> with_path(uint8_t function, std::vector<uint8_t> head, const char* path, size_t length)
{
    std::vector<uint8_t> out{function, 0xFF};
    out.insert(out.end(), head.begin(), head.end());
    out.push_back(uint8_t(length));
    out.push_back(uint8_t(length >> 8));
    out.insert(out.end(), path, path + length);
    return padded(out);
}
}

std::vector<uint8_t> FS_message::maintenance()
{
    return padded({status, client_version});
}

std::vector<uint8_t> FS_message::get_properties()
{
    return padded({properties});
}

std::vector<uint8_t> FS_message::change_directory_request(const char* path, size_t length)
{
    return with_path(change_directory, {}, path, length);
}

std::vector<uint8_t> FS_message::open_request(const char* path, size_t length, uint8_t flags)
{
    return with_path(open_file, {flags}, path, length);
}

std::vector<uint8_t> FS_message::seek_request(uint8_t handle, uint8_t mode, int32_t offset)
{
    std::vector<uint8_t> out{seek_file, 0xFF, handle, mode, 0, 0, 0, 0};
    Binary_message::set_uint32_le(&out[4], uint32_t(offset));
    return out;
}

std::vector<uint8_t> FS_message::read_request(uint8_t handle, uint16_t count)
{
    // Byte 5: hidden entries of a directory are not reported.
    return {read_file, 0xFF, handle, uint8_t(count), uint8_t(count >> 8), 0, 0xFF, 0xFF};
}

std::vector<uint8_t> FS_message::close_request(uint8_t handle)
{
    return padded({close_file, 0xFF, handle});
}

}
