#include "platform/iso/VT_Record_reader.h"

#include <cstring>

namespace VT {

const uint8_t* Record_reader::take(size_t size)
{
    if (!ok_ || size > size_ - pos_) {
        ok_ = false;
        return nullptr;
    }
    const uint8_t* p = data_ + pos_;
    pos_ += size;
    return p;
}

uint8_t Record_reader::u8()
{
    const uint8_t* p = take(1);
    return p ? p[0] : 0;
}

uint16_t Record_reader::u16()
{
    const uint8_t* p = take(2);
    return p ? uint16_t(p[0] | p[1] << 8) : 0;
}

uint32_t Record_reader::u32()
{
    const uint8_t* p = take(4);
    return p ? uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24 : 0;
}

float Record_reader::f32()
{
    uint32_t bits = u32();
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

}
