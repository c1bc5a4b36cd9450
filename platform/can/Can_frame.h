#pragma once
#include <cstdint>
#include <cstring>

// One classic CAN frame: an 11-bit or 29-bit identifier and up to 8 bytes.
struct Can_frame {
    static constexpr uint32_t max_extended_id = 0x1FFFFFFF;
    static constexpr uint32_t max_standard_id = 0x7FF;

    uint32_t id = 0;
    bool extended = true;
    uint8_t dlc = 0; // 0..8
    uint8_t data[8] = {};

    bool operator==(const Can_frame& o) const
    {
        return id == o.id && extended == o.extended && dlc == o.dlc && std::memcmp(data, o.data, dlc) == 0;
    }
    bool operator!=(const Can_frame& o) const { return !(*this == o); }
};
