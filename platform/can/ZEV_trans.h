#pragma once
#include <cstdint>

// Addresses and numbers of the J1939 / ISO 11783 network layer.
namespace ZEV_trans {
// The source address of a node that holds no address (cannot claim).
constexpr uint8_t ADDRESS_NULL = 254;
// The destination "every node".
constexpr uint8_t ADDR_BROADCAST = 255;
// Addresses from here up cannot be claimed: 254 (null) and 255 (global).
constexpr uint8_t ADDRESS_ALL = 254;
// The debug channel of the CAN layer's trace lines (stacks and buses).
constexpr int DEBUG_CHANNEL = 60;
}
