#pragma once
#include <cstdint>

namespace Tessaryn {

// A record of data read from the slave processor. dirty stays 1 until the
// record was received.
class base_data_t {
public:
    virtual ~base_data_t() = default;

    // One line on the debug output.
    virtual void print() const = 0;
};

}
