#pragma once
#include "orrvan_comms/include/Ecu_block_iface.h"

namespace Next_gen {

// A regulating control block.
class Ecu_reg_control_algorithm_block_iface : public virtual Ecu_block_iface {
};

}
