#pragma once
#include "orrvan_comms/include/Ecu_block_control_iface.h"

#include <memory>
#include <mutex>
#include <vector>

namespace Next_gen {

// Holds an ECU's blocks, in the order added. Linking, starting and stopping
// are accepted and do nothing: blocks do no processing. Clients add blocks
// from their own threads, so the list is locked.
class Ecu_block_controller : public Ecu_block_control_iface {
public:
    void add_block(std::shared_ptr<Ecu_block_iface> block) override;
    void link(Ecu_block_output_port_iface& output, Ecu_block_input_port_iface& input) override;
    void clear() override;
    void start() override;
    void stop() override;

private:
    std::mutex m_mutex;
    std::vector<std::shared_ptr<Ecu_block_iface>> m_blocks;
};

}
