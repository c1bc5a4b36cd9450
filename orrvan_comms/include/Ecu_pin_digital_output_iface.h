#pragma once
#include "orrvan_comms/include/Ecu_pin_iface.h"

namespace Next_gen {

// The state a digital output is driven to.
enum class Digital_output_value : uint32_t {
    low = 0,
    high = 1,
    floating = 2, // not driven
    not_used = 3,
};

// A digital output of the ECU.
class Ecu_pin_digital_output_iface : public Ecu_pin_iface {
public:
    virtual bool set_active_high(bool active_high) = 0;
    virtual Digital_output_value get_value() const = 0;
    virtual void set_value(Digital_output_value value) = 0;
};

}
