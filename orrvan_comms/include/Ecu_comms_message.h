#pragma once
#include <cstdint>
#include <vector>

namespace Next_gen {

// One message of the slave link.
struct Ecu_comms_message {
    // ISO NAME of the peer: the sender of a received message, the addressee
    // of a sent one (0 in a sent message: the link's own slave ECU).
    uint64_t NAME = 0;
    uint32_t PGN = 0;
    std::vector<uint8_t> data; // at most 8 bytes travel on CAN
};

}
