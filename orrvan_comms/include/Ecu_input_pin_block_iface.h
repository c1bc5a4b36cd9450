#pragma once
#include "orrvan_comms/include/Ecu_block_iface.h"
#include "orrvan_comms/include/Ecu_block_output_port_iface.h"
#include "orrvan_comms/include/Ecu_pin_iface.h"

namespace Next_gen {

// A block that offers an input pin of the ECU as a block output.
class Ecu_input_pin_block_iface : public virtual Ecu_block_iface {
public:
    virtual Ecu_block_output_port_iface& output() = 0;
    virtual Ecu_pin_iface& get_pin() = 0;
};

}
