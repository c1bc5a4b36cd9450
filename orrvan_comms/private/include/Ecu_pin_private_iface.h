#pragma once
#include "orrvan_comms/include/Ecu_pin_iface.h"

namespace Next_gen {

// What the library itself does with a pin, reached by a run-time type query.
class Ecu_pin_private_iface {
public:
    virtual ~Ecu_pin_private_iface() = default;

    // Runs the pin's observables, from its connector's tick.
    virtual void tick() = 0;
    virtual void set_pin_value_status(Ecu_pin_value_status status) = 0;
    // The ECU's input index of one value of the pin: which 0 is an analogue
    // value or an encoder period, 1 an encoder pulse count. 0 for pins that
    // have none.
    virtual unsigned get_input_index(unsigned which) = 0;
    // Called by the connector as it goes: the pin forgets it, and from then
    // on does nothing that would need the connector or its ECU.
    virtual void forget_connector() = 0;
};

}
