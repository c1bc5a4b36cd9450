#pragma once
#include "platform/can/ZEV_Transmission.h"
#include "platform/can/ZEV_grow_message.h"

#include <cstddef>
#include <cstdint>

namespace Iso11783 {

// An ISO 11783 message of a fixed PGN and priority in a buffer of a fixed
// capacity, whose sent length may be cut shorter. restore() brings the
// buffer back to its capacity, new bytes taking the message's fill value.
template <uint32_t PGN, int PRIORITY>
class Iso11783_message : public ZEV::Transmission_broadcast<ZEV_grow_message, PGN, PRIORITY> {
public:
    Iso11783_message(size_t capacity, uint8_t fill_value)
        : ZEV::Transmission_broadcast<ZEV_grow_message, PGN, PRIORITY>(capacity, fill_value),
          capacity_(capacity), fill_value_(fill_value)
    {
    }

    size_t get_capacity() const { return capacity_; }
    void restore() { this->resize(capacity_, fill_value_); }
    // The whole buffer at its capacity, every byte the fill value.
    void clear()
    {
        restore();
        this->fill(fill_value_);
    }

private:
    size_t capacity_;
    uint8_t fill_value_;
};

}
