#include "orrvan_comms/private/include/Slave_requests.h"
#include "orrvan_comms/private/include/Ecu_common.h"
#include "platform/rtos/Debug_base.h"

namespace Next_gen {

namespace {

constexpr uint16_t eid_heartbeat = 0xE00;
constexpr uint16_t eid_configuration = 0xF00;

// Values of the configuration messages.
constexpr uint32_t config_request = 0;
constexpr uint32_t config_setup_mode = 1;
constexpr uint32_t config_configured = 2;
constexpr uint32_t config_clear = 3;

// Data IDs of the discrete-input element.
constexpr uint16_t did_inputs = 0;
constexpr uint16_t did_on_change_threshold = 1;
constexpr uint16_t did_on_change_mask = 2;
constexpr uint16_t did_polarity = 3;

// A probe is set up under 64 + its input index; its values come back under
// the input index itself.
constexpr uint16_t did_probe_setup = 64;

}

using Message = Slave_requests::Message;

Message Slave_requests::make(uint64_t name, unsigned element_id, uint16_t data_id, Message::eCommand command,
                             uint32_t value)
{
    Message message;
    message.setDeviceName(name);
    message.setElementID(uint16_t(element_id));
    message.setDataID(data_id);
    message.setCommand(command);
    message.setValue(value);
    return message;
}

Message Slave_requests::heartbeat(uint64_t name)
{
    return make(name, eid_heartbeat, 0, Message::SLAVE_CONTROL, 0);
}

Message Slave_requests::request_device_config(uint64_t name)
{
    return make(name, eid_configuration, 0, Message::SLAVE_CONTROL, config_request);
}

Message Slave_requests::setup_mode(uint64_t name)
{
    return make(name, eid_configuration, 0, Message::SLAVE_CONTROL, config_setup_mode);
}

Message Slave_requests::configured(uint64_t name)
{
    return make(name, eid_configuration, 0, Message::SLAVE_CONTROL, config_configured);
}

Message Slave_requests::clear_config(uint64_t name)
{
    return make(name, eid_configuration, 0, Message::SLAVE_CONTROL, config_clear);
}

Message Slave_requests::clear_error_comms(uint64_t name, const Ecu_slave_iface& table)
{
    return make(name, table.get_eid_comms(), 0, Message::VALUE, 0);
}

Message Slave_requests::block_probe(uint64_t name, const Ecu_slave_iface& table, uint16_t element_id,
                                    uint16_t kind, uint16_t input_index)
{
    Debug_base::print(DEBUG_MODULE, "TEcu::SendMessageBlockProbe(%u, %u, %u)\n", element_id, kind, input_index);
    return make(name, table.get_eid_block_probe(), uint16_t(did_probe_setup + input_index), Message::VALUE,
                uint32_t(element_id) << 16 | kind);
}

Message Slave_requests::probe_time_interval(uint64_t name, const Ecu_slave_iface& table, uint16_t input_index,
                                            uint32_t ms)
{
    return make(name, table.get_eid_block_probe(), input_index, Message::MEASUREMENT_TIME_INTERVAL, ms);
}

Message Slave_requests::poll_digital_inputs(uint64_t name, const Ecu_slave_iface& table)
{
    return make(name, table.get_eid_discreet_inputs(), did_inputs, Message::REQUEST_VALUE, 0);
}

Message Slave_requests::set_digital_on_change_mask(uint64_t name, const Ecu_slave_iface& table)
{
    return make(name, table.get_eid_discreet_inputs(), did_on_change_mask, Message::VALUE, 16);
}

Message Slave_requests::set_digital_input_time_interval(uint64_t name, const Ecu_slave_iface& table, uint32_t ms)
{
    return make(name, table.get_eid_discreet_inputs(), did_inputs, Message::MEASUREMENT_TIME_INTERVAL, ms);
}

Message Slave_requests::set_digital_on_change_threshold(uint64_t name, const Ecu_slave_iface& table)
{
    return make(name, table.get_eid_discreet_inputs(), did_on_change_threshold,
                Message::MEASUREMENT_CHANGE_THRESHOLD, 1);
}

Message Slave_requests::set_digital_output(uint64_t name, const Ecu_slave_iface& table, uint32_t output_word)
{
    return make(name, table.get_eid_relays(), 0, Message::VALUE, output_word);
}

Message Slave_requests::set_digital_input_polarity(uint64_t name, const Ecu_slave_iface& table,
                                                   uint32_t polarity_word)
{
    return make(name, table.get_eid_discreet_inputs(), did_polarity, Message::VALUE, polarity_word);
}

std::vector<uint8_t> Slave_requests::get_version()
{
    return {0x0F, 0x00, 0xFE, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
}

}
