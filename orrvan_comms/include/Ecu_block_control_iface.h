#pragma once
#include "orrvan_comms/include/Ecu_block_iface.h"
#include "orrvan_comms/include/Ecu_block_input_port_iface.h"
#include "orrvan_comms/include/Ecu_block_output_port_iface.h"

#include <memory>

namespace Next_gen {

// Holds the function blocks of an ECU and links their ports.
class Ecu_block_control_iface {
public:
    virtual ~Ecu_block_control_iface() = default;

    // The controller shares ownership of the block from now on.
    virtual void add_block(std::shared_ptr<Ecu_block_iface> block) = 0;
    virtual void link(Ecu_block_output_port_iface& output, Ecu_block_input_port_iface& input) = 0;
    // Lets go of every block.
    virtual void clear() = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
};

}
