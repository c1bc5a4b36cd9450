#include "platform/io/Util.h"

#include <zlib.h>

uint32_t Util::crc32(uint32_t crc, const void* data, size_t length)
{
    const Bytef* p = static_cast<const Bytef*>(data);
    while (length > 0) {
        uInt chunk = length > 0x40000000u ? 0x40000000u : uInt(length);
        crc = uint32_t(::crc32(crc, p, chunk));
        p += chunk;
        length -= chunk;
    }
    return crc;
}
