#pragma once
#include "orrvan_comms/include/Ecu_block_iface.h"
#include "orrvan_comms/include/Ecu_block_input_port_iface.h"
#include "orrvan_comms/include/Ecu_block_output_port_iface.h"

#include <cstdint>

namespace Next_gen {

// A proportional control block with two inputs and one output.
class Ecu_prop_control_algorithm_block_iface : public virtual Ecu_block_iface {
public:
    // The control mode; the library passes it on without giving it a meaning.
    enum class Mode : uint32_t {};

    // num is 0 or 1.
    virtual Ecu_block_input_port_iface& input(unsigned num) = 0;
    virtual Ecu_block_output_port_iface& output() = 0;
    virtual void set_target_period(unsigned period) = 0;
    virtual void set_target_voltage(unsigned voltage) = 0;
    virtual void set_mode(Mode mode) = 0;
};

}
