#pragma once

namespace Next_gen {

// An input of a function block, to be linked to an output.
class Ecu_block_input_port_iface {
public:
    virtual ~Ecu_block_input_port_iface() = default;
};

}
