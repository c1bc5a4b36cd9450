#pragma once
#include "orrvan_comms/include/Ecu_pin_iface.h"

namespace Next_gen {

// An analogue input: a float value reported by the ECU.
class Ecu_pin_analogue_iface : public Ecu_pin_iface {
public:
    virtual bool set_differential_mode(bool differential) = 0;
    // An on-time interval set here becomes the ECU's reporting rate of the input.
    virtual Observable_iface<Ecu_pin_analogue_iface, float>& get_value_observer() = 0;
    virtual float get_value() const = 0;
};

}
