#pragma once
#include <cstdint>

namespace TC_client {

// Turns a value of the program into the 32-bit integer of an ISO 11783-10
// process-data message and back.
template <class T>
class Process_data_coder {
public:
    virtual ~Process_data_coder() = default;
    virtual int32_t encode(T value) const = 0;
    virtual T decode(int32_t raw) const = 0;
};

}
