#pragma once
#include "orrvan_comms/include/Ecu_block_input_port_iface.h"

namespace Next_gen {

class Ecu_block_input : public Ecu_block_input_port_iface {
};

}
