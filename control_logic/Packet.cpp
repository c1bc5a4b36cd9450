#include "control_logic/Packet.h"

#include <algorithm>
#include <iterator>

void Packet::clear(uint8_t ascii_mode)
{
    std::fill(std::begin(bytes), std::end(bytes), 0xFF);
    count = 0;
    ascii = ascii_mode;
}

void Packet::init(uint8_t destination, uint8_t command)
{
    clear(0);
    bytes[0] = destination;
    bytes[2] = master_address;
    bytes[3] = command;
}

void Packet::add_byte(uint8_t b)
{
    if (ascii) {
        if (count < size)
            bytes[count++] = b;
    } else if (count < max_data) {
        bytes[4 + count++] = b;
    }
}

void Packet::finalise()
{
    if (ascii)
        return;
    count = std::min(count, max_data); // count is public: never write past the frame
    const size_t length = count + 4;
    bytes[1] = uint8_t(length);
    uint8_t sum = 0;
    for (size_t i = 0; i < length; ++i)
        sum = uint8_t(sum + bytes[i]);
    bytes[length] = sum;
}
