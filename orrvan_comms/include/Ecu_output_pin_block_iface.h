#pragma once
#include "orrvan_comms/include/Ecu_block_iface.h"
#include "orrvan_comms/include/Ecu_block_input_port_iface.h"
#include "orrvan_comms/include/Ecu_pin_iface.h"

namespace Next_gen {

// A block that drives an output pin of the ECU from a block input.
class Ecu_output_pin_block_iface : public virtual Ecu_block_iface {
public:
    virtual Ecu_block_input_port_iface& input() = 0;
    virtual Ecu_pin_iface& get_pin() = 0;
};

}
