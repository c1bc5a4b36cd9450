#include "tests/messaging/Remote_peer.h"

#include <cstring>
#include <zlib.h>

namespace Remote_peer {

Bytes request_ids(uint16_t id, uint32_t offset, uint8_t depth)
{
    return {0x82, uint8_t(id), uint8_t(id >> 8), uint8_t(offset), uint8_t(offset >> 8), uint8_t(offset >> 16), depth};
}

Bytes request_value(uint8_t type, uint16_t id, uint16_t pos)
{
    return {type, uint8_t(id), uint8_t(id >> 8), uint8_t(pos), uint8_t(pos >> 8)};
}

Bytes set_value(uint16_t id, uint16_t pos, const Bytes& value)
{
    Bytes m = request_value(0x84, id, pos);
    m.insert(m.end(), value.begin(), value.end());
    return m;
}

Bytes cancel(uint16_t id)
{
    return {0x87, uint8_t(id), uint8_t(id >> 8)};
}

uint16_t u16(const Bytes& m, size_t at)
{
    return uint16_t(m.at(at) | m.at(at + 1) << 8);
}

uint32_t u24(const Bytes& m, size_t at)
{
    return uint32_t(m.at(at) | m.at(at + 1) << 8 | m.at(at + 2) << 16);
}

uint32_t u32(const Bytes& m, size_t at)
{
    return u24(m, at) | uint32_t(m.at(at + 3)) << 24;
}

std::vector<Entry> entries_of(const std::string& text)
{
    // Entries are separated by the punctuation "{", "}" and ",".
    std::vector<Entry> out;
    size_t at = 0;
    while (at < text.size()) {
        size_t colon1 = text.find(':', at);
        size_t colon2 = text.find(':', colon1 + 1);
        size_t end = text.find_first_of("{},", colon2 + 1);
        if (colon1 == std::string::npos || colon2 == std::string::npos)
            break;
        if (end == std::string::npos)
            end = text.size();
        out.push_back({unsigned(std::stoul(text.substr(at, colon1 - at), nullptr, 16)),
                       unsigned(std::stoul(text.substr(colon1 + 1, colon2 - colon1 - 1), nullptr, 16)),
                       text.substr(colon2 + 1, end - colon2 - 1)});
        at = text.find_first_not_of("{},", end);
    }
    return out;
}

std::string inflate(const Bytes& packed, size_t length)
{
    std::string out(length, '\0');
    uLongf out_length = length;
    if (uncompress(reinterpret_cast<Bytef*>(&out[0]), &out_length, packed.data(), packed.size()) != Z_OK)
        return "(not a zlib stream)";
    out.resize(out_length);
    return out;
}

uint8_t* Backend::get_tx_buffer(uint8_t* buffer, int& room)
{
    if (room < 2)
        return nullptr;
    buffer[0] = buffer[1] = 0xAA;
    room -= 2;
    return buffer + 2;
}

bool Backend::send(uint8_t* message, int length, bool, int)
{
    if (!wire_.accept)
        return false;
    wire_.sent.push_back({peer_, Bytes(message, message + length)});
    return true;
}

bool Backend::same_peer(const CDS::Remote::Backend& other) const
{
    auto* o = dynamic_cast<const Backend*>(&other);
    return o && o->peer_ == peer_;
}

}
