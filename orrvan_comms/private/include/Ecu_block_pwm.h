#pragma once
#include "orrvan_comms/include/Ecu_pin_pwm_output_iface.h"
#include "orrvan_comms/private/include/Ecu_output_pin_block.h"

namespace Next_gen {

class Ecu_block_pwm : public virtual Ecu_output_pin_block {
public:
    explicit Ecu_block_pwm(Ecu_pin_pwm_output_iface& pin);
};

}
