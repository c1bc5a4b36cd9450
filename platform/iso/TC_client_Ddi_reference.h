#pragma once
#include <cstdint>

namespace TC_client {

// An object in a device element's reference list: a property or a
// process-data value, named by its DDI.
class Ddi_reference {
public:
    virtual ~Ddi_reference() = default;
    virtual uint16_t get_ddi() const = 0;
};

}
