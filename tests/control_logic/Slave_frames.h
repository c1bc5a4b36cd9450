#pragma once
// Binary frames of the slave processors' link, written by the tests
// themselves rather than by the link they check.
#include <cstdint>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Destination, length, source, command, data and the byte sum of them all.
inline Bytes slave_frame(uint8_t destination, uint8_t source, uint8_t command, const Bytes& data = {})
{
    Bytes f{destination, uint8_t(4 + data.size()), source, command};
    f.insert(f.end(), data.begin(), data.end());
    uint8_t sum = 0;
    for (uint8_t b : f)
        sum = uint8_t(sum + b);
    f.push_back(sum);
    return f;
}

// A slave's reply to this controller (address 0x31).
inline Bytes reply_from(uint8_t source, uint8_t command, const Bytes& data = {})
{
    return slave_frame(0x31, source, command, data);
}
