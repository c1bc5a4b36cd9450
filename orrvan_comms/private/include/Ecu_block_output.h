#pragma once
#include "orrvan_comms/include/Ecu_block_output_port_iface.h"
#include "orrvan_comms/private/include/Ecu_common.h"

namespace Next_gen {

// An output port. Blocks do no processing, so its value stays 0.
class Ecu_block_output : public Ecu_block_output_port_iface {
public:
    Ecu_block_output();

    Observable_iface<Ecu_block_output_port_iface, float>& get_observer() override;

private:
    Observable_impl<Ecu_block_output_port_iface, float> m_value;
};

}
