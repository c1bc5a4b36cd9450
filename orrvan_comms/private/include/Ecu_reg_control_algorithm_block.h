#pragma once
#include "orrvan_comms/include/Ecu_reg_control_algorithm_block_iface.h"

namespace Next_gen {

class Ecu_reg_control_algorithm_block : public Ecu_reg_control_algorithm_block_iface {
};

}
