#pragma once
#include "orrvan_comms/include/Ecu_pin_encoder_input_iface.h"
#include "orrvan_comms/private/include/Ecu_input_pin_block.h"

namespace Next_gen {

class Ecu_block_encoder : public virtual Ecu_input_pin_block {
public:
    explicit Ecu_block_encoder(Ecu_pin_encoder_input_iface& pin);
};

}
