#pragma once
#include "orrvan_comms/include/Ecu_pin_iface.h"

namespace Next_gen {

// An encoder input: a period and a pulse count reported by the ECU.
class Ecu_pin_encoder_input_iface : public Ecu_pin_iface {
public:
    // On-time intervals set here become the ECU's reporting rates.
    virtual Observable_iface<Ecu_pin_encoder_input_iface, float>& get_period_observer() = 0;
    virtual Observable_iface<Ecu_pin_encoder_input_iface, unsigned int>& get_pulse_count_observer() = 0;
    virtual float get_period() const = 0;
    virtual unsigned get_pulse_count() const = 0;
};

}
