#pragma once
#include "orrvan_comms/include/Ecu_output_pin_block_iface.h"
#include "orrvan_comms/private/include/Ecu_block_input.h"

namespace Next_gen {

// The pin must outlive the block.
class Ecu_output_pin_block : public virtual Ecu_output_pin_block_iface {
public:
    explicit Ecu_output_pin_block(Ecu_pin_iface& pin);

    Ecu_block_input_port_iface& input() override;
    Ecu_pin_iface& get_pin() override;

private:
    Ecu_pin_iface& m_pin;
    Ecu_block_input m_input;
};

}
