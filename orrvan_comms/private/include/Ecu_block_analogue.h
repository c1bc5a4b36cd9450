#pragma once
#include "orrvan_comms/include/Ecu_pin_analogue_iface.h"
#include "orrvan_comms/private/include/Ecu_input_pin_block.h"

namespace Next_gen {

class Ecu_block_analogue : public virtual Ecu_input_pin_block {
public:
    explicit Ecu_block_analogue(Ecu_pin_analogue_iface& pin);
};

}
