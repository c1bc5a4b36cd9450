#include "orrvan_comms/private/include/Slave_message_decoder.h"
#include "orrvan_comms/private/include/Ecu_common.h"
#include "orrvan_comms/private/include/Ecu_pin_private_iface.h"
#include "orrvan_comms/private/include/Ecu_pin_value_private_iface.h"
#include "orrvan_comms/private/include/Slave_requests.h"
#include "platform/rtos/Debug_base.h"

#include <cmath>
#include <cstring>

namespace Next_gen {

namespace {

using Message = Tessaryn::TTessarynMessage;

// Data IDs of device information that need no handling.
constexpr uint16_t did_device_info_ignored = 6;

// The answer ID (the first two bytes) of the version response.
constexpr uint8_t version_response_id[2] = {0xFE, 0x00};

float as_float(uint32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A count that arrives as a float: truncated toward zero and held within the
// range of the count; no number at all counts nothing.
unsigned as_pulse_count(float value)
{
    if (std::isnan(value) || value <= 0.0f)
        return 0;
    if (value >= 4294967296.0f)
        return 4294967295u;
    return unsigned(value);
}

void print_unhandled(const char* what, uint16_t data_id, uint32_t value)
{
    Debug_base::print(DEBUG_MODULE, "Unhandled %s Response(DID:0x%04x Value:0x%08x)\n", what, data_id, value);
}

}

Slave_message_decoder::Slave_message_decoder(uint64_t name, Slave_response_iface& ecu) : m_name(name), m_ecu(ecu)
{
}

void Slave_message_decoder::decode(uint32_t pgn, const std::vector<uint8_t>& data)
{
    if (pgn == PGN_PROCESS_DATA && data.size() >= Message::size)
        decode_process_data_message(data);
    else if (pgn == PGN_PROPRIETARY_A && data.size() >= sizeof version_response_id)
        decode_proprietary_A_message(data);
    else
        report_unhandled(pgn);
}

void Slave_message_decoder::decode_process_data_message(const std::vector<uint8_t>& data)
{
    const Message message(data);
    if (message.isCommand(Message::SLAVE_CONTROL))
        return;
    decode_message_response(message.getElementID(), message.getDataID(), message.getValue());
}

void Slave_message_decoder::decode_proprietary_A_message(const std::vector<uint8_t>& data)
{
    if (data[0] != version_response_id[0] || data[1] != version_response_id[1]) {
        Debug_base::print(DEBUG_MODULE, "TEcu::%llx Unhandled PGN-A Msg(ResponseId: 0x%04x)\n",
                          static_cast<unsigned long long>(m_name), unsigned(data[0] * 256 + data[1]));
        return;
    }
    if (data.size() < Message::size) {
        report_unhandled(PGN_PROPRIETARY_A);
        return;
    }
    Ecu_version_info version;
    version.ecu_type = data[2];
    version.ecu_series = data[3];
    version.ecu_firmware_type = data[4];
    version.major = data[5];
    version.minor = data[6];
    version.patch = data[7];
    m_ecu.version_received(version);
}

// The first element of the table that matches wins: on some models two
// functions share an element ID.
void Slave_message_decoder::decode_message_response(uint16_t element_id, uint16_t data_id, uint32_t value)
{
    const Ecu_slave_iface& table = m_ecu.get_slave_table();
    if (element_id == table.get_eid_device_info())
        handle_device_info_response(data_id, value);
    else if (element_id == table.get_eid_discreet_inputs())
        handle_discreet_input_response(data_id, value);
    else if (element_id == table.get_eid_block_probe())
        handle_block_probe_response(data_id, value);
    else if (element_id == table.get_eid_relays())
        handle_relays_response(data_id, value);
    else if (element_id == table.get_eid_diagnostics())
        print_unhandled("Diagnostics", data_id, value);
    else if (element_id == table.get_eid_comms())
        print_unhandled("Comms", data_id, value);
    else if (element_id == table.get_eid_led_error())
        print_unhandled("Led Error", data_id, value);
    else
        Debug_base::print(DEBUG_MODULE, "Unhandled Msg Response(EID:0x%04x DID:0x%04x Value:0x%08x)\n", element_id,
                          data_id, value);
}

void Slave_message_decoder::handle_device_info_response(uint16_t data_id, uint32_t value)
{
    if (data_id == 0)
        m_ecu.device_info_received(value);
    else if (data_id != did_device_info_ignored)
        print_unhandled("Device Info", data_id, value);
}

void Slave_message_decoder::handle_discreet_input_response(uint16_t data_id, uint32_t value)
{
    if (data_id == 0)
        m_ecu.discreet_inputs_received(value);
    else
        print_unhandled("Discreet Input", data_id, value);
}

void Slave_message_decoder::handle_relays_response(uint16_t data_id, uint32_t value)
{
    if (data_id == 0)
        m_ecu.relays_received(value);
    else
        print_unhandled("Relay", data_id, value);
}

// A probed value comes back under its input index.
void Slave_message_decoder::handle_block_probe_response(uint16_t data_id, uint32_t value)
{
    const std::shared_ptr<Ecu_pin_iface> pin = m_ecu.get_input_pin(data_id);
    if (!pin)
        return;
    switch (pin->get_pin_type()) {
    case Ecu_pin_type::analogue_input: {
        auto* pvp = dynamic_cast<Ecu_pin_value_private_iface<float>*>(pin.get());
        ECU_ASSERT(pvp != nullptr);
        pvp->set_pin_value(as_float(value));
        return;
    }
    case Ecu_pin_type::encoder_input: {
        auto* pp = dynamic_cast<Ecu_pin_private_iface*>(pin.get());
        ECU_ASSERT(pp != nullptr);
        if (data_id == pp->get_input_index(0)) {
            auto* pvp = dynamic_cast<Ecu_pin_value_private_iface<float>*>(pin.get());
            ECU_ASSERT(pvp != nullptr);
            pvp->set_pin_value(as_float(value));
        } else if (data_id == pp->get_input_index(1)) {
            auto* pvp = dynamic_cast<Ecu_pin_value_private_iface<unsigned>*>(pin.get());
            ECU_ASSERT(pvp != nullptr);
            pvp->set_pin_value(as_pulse_count(as_float(value)));
        } else {
            Debug_base::print(DEBUG_MODULE, "Unhandled encoder did:0x%04x Value:0x%08x\n", data_id, value);
        }
        return;
    }
    default:
        Debug_base::print(DEBUG_MODULE, "Unhandled Block probe response did:0x%04x Value:0x%08x\n", data_id, value);
    }
}

void Slave_message_decoder::report_unhandled(uint32_t pgn)
{
    Debug_base::print(DEBUG_MODULE, "TEcu::%llx Unhandled CanMsg(PGN: 0x%04x)\n",
                      static_cast<unsigned long long>(m_name), pgn);
}

}
