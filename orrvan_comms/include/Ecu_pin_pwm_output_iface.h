#pragma once
#include "orrvan_comms/include/Ecu_pin_iface.h"

namespace Next_gen {

// A PWM output of the ECU.
class Ecu_pin_pwm_output_iface : public Ecu_pin_iface {
};

}
