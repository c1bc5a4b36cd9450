#pragma once
#include "orrvan_comms/include/Ecu_prop_control_algorithm_block_iface.h"
#include "orrvan_comms/private/include/Ecu_block_input.h"
#include "orrvan_comms/private/include/Ecu_block_output.h"

namespace Next_gen {

// Accepts its settings and does nothing with them: blocks do no processing.
class Ecu_prop_control_algorithm_block : public Ecu_prop_control_algorithm_block_iface {
public:
    // num is 0 or 1; anything else is a caller error and ends the process.
    Ecu_block_input_port_iface& input(unsigned num) override;
    Ecu_block_output_port_iface& output() override;
    void set_target_period(unsigned period) override;
    void set_target_voltage(unsigned voltage) override;
    void set_mode(Mode mode) override;

private:
    Ecu_block_output m_output;
    Ecu_block_input m_inputs[2];
};

}
