#pragma once
#include "platform/iso/TC_client_Ddi_reference.h"

namespace TC_client {

// The element's answer to the Task Controller's request for the default
// process data (ISO 11783-11 DDI 57343); it has no value of its own.
class Request_default_reference : public Ddi_reference {
public:
    static constexpr uint16_t ddi = 0xDFFF;

    uint16_t get_ddi() const override { return ddi; }
};

}
