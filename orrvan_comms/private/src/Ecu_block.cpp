#include "orrvan_comms/private/include/Ecu_block_analogue.h"
#include "orrvan_comms/private/include/Ecu_block_controller.h"
#include "orrvan_comms/private/include/Ecu_block_encoder.h"
#include "orrvan_comms/private/include/Ecu_block_pwm.h"
#include "orrvan_comms/private/include/Ecu_prop_control_algorithm_block.h"

namespace Next_gen {

Ecu_block_output::Ecu_block_output() : m_value(this) {}

Observable_iface<Ecu_block_output_port_iface, float>& Ecu_block_output::get_observer() { return m_value; }

Ecu_input_pin_block::Ecu_input_pin_block(Ecu_pin_iface& pin) : m_pin(pin) {}
Ecu_block_output_port_iface& Ecu_input_pin_block::output() { return m_output; }
Ecu_pin_iface& Ecu_input_pin_block::get_pin() { return m_pin; }

Ecu_output_pin_block::Ecu_output_pin_block(Ecu_pin_iface& pin) : m_pin(pin) {}
Ecu_block_input_port_iface& Ecu_output_pin_block::input() { return m_input; }
Ecu_pin_iface& Ecu_output_pin_block::get_pin() { return m_pin; }

Ecu_block_analogue::Ecu_block_analogue(Ecu_pin_analogue_iface& pin) : Ecu_input_pin_block(pin) {}
Ecu_block_encoder::Ecu_block_encoder(Ecu_pin_encoder_input_iface& pin) : Ecu_input_pin_block(pin) {}
Ecu_block_pwm::Ecu_block_pwm(Ecu_pin_pwm_output_iface& pin) : Ecu_output_pin_block(pin) {}

Ecu_block_input_port_iface& Ecu_prop_control_algorithm_block::input(unsigned num)
{
    ECU_ASSERT(num < 2);
    return m_inputs[num];
}

Ecu_block_output_port_iface& Ecu_prop_control_algorithm_block::output() { return m_output; }
void Ecu_prop_control_algorithm_block::set_target_period(unsigned) {}
void Ecu_prop_control_algorithm_block::set_target_voltage(unsigned) {}
void Ecu_prop_control_algorithm_block::set_mode(Mode) {}

void Ecu_block_controller::add_block(std::shared_ptr<Ecu_block_iface> block)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_blocks.push_back(std::move(block));
}

void Ecu_block_controller::link(Ecu_block_output_port_iface&, Ecu_block_input_port_iface&) {}

void Ecu_block_controller::clear()
{
    std::vector<std::shared_ptr<Ecu_block_iface>> released;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        released.swap(m_blocks);
    }
}

void Ecu_block_controller::start() {}
void Ecu_block_controller::stop() {}

}
