#pragma once
#include <cstdint>

// The options of a proportional valve packed in its mode byte; bits 1 and 3
// belong to no field here.
namespace Valve_mode_bits {

constexpr uint8_t soft_start = 0x01, soft_stop = 0x04, dither = 0x10, tank_clutch = 0x20;
constexpr uint8_t dump_low = 0x40, dump_high = 0x80, dump = dump_low | dump_high;

// A flag's item from the byte, and the byte with the flag set by the item.
constexpr uint16_t flag_item(uint8_t mode, uint8_t bit) { return (mode & bit) ? 1 : 0; }
constexpr uint8_t with_flag(uint8_t mode, uint8_t bit, bool on) { return on ? mode | bit : mode & ~bit; }

// The dump valve: "Disabled" neither bit (or bit 6 alone), "Enabled" bit 7,
// "Reversed" both.
constexpr uint16_t dump_item(uint8_t mode)
{
    return (mode & dump) == dump ? 2 : (mode & dump_high) ? 1 : 0;
}
constexpr uint8_t with_dump(uint8_t mode, uint16_t item)
{
    const uint8_t bits = item == 0 ? 0 : item == 1 ? dump_high : dump;
    return uint8_t((mode & ~dump) | bits);
}

}
