#pragma once
#include "platform/can/ZEV_Transmission.h"
#include "platform/can/ZEV_grow_message.h"

#include <cstddef>
#include <cstdint>

namespace J1939 {

// A J1939 message of a fixed PGN and priority whose length may change.
template <uint32_t PGN, int PRIORITY>
class J1939_message : public ZEV::Transmission_broadcast<ZEV_grow_message, PGN, PRIORITY> {
public:
    explicit J1939_message(size_t size = 8)
        : ZEV::Transmission_broadcast<ZEV_grow_message, PGN, PRIORITY>(size)
    {
    }
};

}
