#pragma once
#include "orrvan_comms/include/Ecu_pin_iface.h"

namespace Next_gen {

// A digital input: a level reported by the ECU.
class Ecu_pin_digital_input_iface : public Ecu_pin_iface {
public:
    // Tells the ECU which level reads as true; false makes the input active-low.
    virtual bool set_active_high(bool active_high) = 0;
    // An on-time interval set here becomes the ECU's reporting rate of all
    // its digital inputs.
    virtual Observable_iface<Ecu_pin_digital_input_iface, bool>& get_value_observer() = 0;
    virtual bool get_value() const = 0;
};

}
