#include "platform/data/CDS_Remote_Receive_buffer.h"
#include "platform/data/CDS_Remote_Send_buffer.h"

namespace CDS {
namespace Remote {

bool Send_buffer::append_bytes(const void* data, unsigned length)
{
    // What lies before the skip point is counted only; of the rest, what fits is kept.
    unsigned skipped = produced_ < skip_ ? (skip_ - produced_ < length ? skip_ - produced_ : length) : 0;
    unsigned keep = length - skipped;
    unsigned room = capacity_ - kept_;
    bool whole = keep <= room;
    if (!whole)
        keep = room;
    std::memcpy(buffer_ + kept_, static_cast<const uint8_t*>(data) + skipped, keep);
    kept_ += keep;
    produced_ += skipped + keep;
    return whole;
}

bool Receive_buffer::pop_if(char c)
{
    if (!remaining() || char(data_[position_]) != c)
        return false;
    ++position_;
    return true;
}

bool Receive_buffer::pop_hex(uint32_t& value)
{
    uint32_t v = 0;
    unsigned digits = 0;
    while (remaining() && digits < 9) {
        char c = char(data_[position_]);
        unsigned d;
        if (c >= '0' && c <= '9')
            d = unsigned(c - '0');
        else if (c >= 'a' && c <= 'f')
            d = unsigned(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            d = unsigned(c - 'A' + 10);
        else
            break;
        v = (v << 4) | d;
        ++digits;
        ++position_;
    }
    if (digits == 0 || digits > 8)
        return false;
    value = v;
    return true;
}

bool Receive_buffer::pop_token(char* text, unsigned max, const char* stops)
{
    if (max == 0)
        return false;
    unsigned n = 0;
    while (remaining() && !std::strchr(stops, char(data_[position_])) && data_[position_] != 0) {
        if (n + 1 >= max)
            return false;
        text[n++] = char(data_[position_++]);
    }
    text[n] = '\0';
    return true;
}

}
}
