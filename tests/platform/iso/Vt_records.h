#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

// ISO 11783-6 object records written byte by byte in the tests, apart from
// the code that writes and reads them.
using Bytes = std::vector<uint8_t>;

// The record of object id of the type: ID (little-endian), type, body.
inline Bytes record(uint16_t id, uint8_t type, std::initializer_list<uint8_t> body)
{
    Bytes out{uint8_t(id), uint8_t(id >> 8), type};
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

inline Bytes joined(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}
