#pragma once
#include "orrvan_comms/include/Ecu_input_pin_block_iface.h"
#include "orrvan_comms/private/include/Ecu_block_output.h"

namespace Next_gen {

// The pin must outlive the block.
class Ecu_input_pin_block : public virtual Ecu_input_pin_block_iface {
public:
    explicit Ecu_input_pin_block(Ecu_pin_iface& pin);

    Ecu_block_output_port_iface& output() override;
    Ecu_pin_iface& get_pin() override;

private:
    Ecu_pin_iface& m_pin;
    Ecu_block_output m_output;
};

}
