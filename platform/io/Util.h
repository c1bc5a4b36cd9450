#pragma once
#include <cstddef>
#include <cstdint>

namespace Util {
// The CRC-32 of IEEE 802.3 (zlib's): start with 0, feed the previous result
// to continue over further data.
uint32_t crc32(uint32_t crc, const void* data, size_t length);
}
