#pragma once
#include "orrvan_comms/include/Observable_iface.h"

namespace Next_gen {

// An output of a function block, carrying a float value.
class Ecu_block_output_port_iface {
public:
    virtual ~Ecu_block_output_port_iface() = default;

    virtual Observable_iface<Ecu_block_output_port_iface, float>& get_observer() = 0;
};

}
