#pragma once
#include "orrvan_comms/private/include/Ecu_slave_iface.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/TTessarynMessage.h"

#include <cstdint>
#include <vector>

namespace Next_gen {

// PGNs of the slave link: configuration, digital I/O and probes travel as
// process data; the version request and its answer as proprietary A.
constexpr uint32_t PGN_PROCESS_DATA = 0xCB00;
constexpr uint32_t PGN_PROPRIETARY_A = 0xEF00;

// Every request an ECU object sends its slave, as the message that carries
// it. Each is addressed to the slave's NAME; element IDs that depend on the
// model come from the table of the ECU's current type.
class Slave_requests {
public:
    using Message = Tessaryn::TTessarynMessage;

    static Message heartbeat(uint64_t name);
    // The configuration handshake.
    static Message request_device_config(uint64_t name);
    static Message setup_mode(uint64_t name);
    static Message configured(uint64_t name);
    static Message clear_config(uint64_t name);
    static Message clear_error_comms(uint64_t name, const Ecu_slave_iface& table);
    // Sets up the reporting of one value of an element under input_index:
    // kind 0 an analogue value or encoder period, 1 an encoder pulse count.
    // Says so on the library's debug channel.
    static Message block_probe(uint64_t name, const Ecu_slave_iface& table, uint16_t element_id, uint16_t kind,
                               uint16_t input_index);
    static Message probe_time_interval(uint64_t name, const Ecu_slave_iface& table, uint16_t input_index,
                                       uint32_t ms);
    static Message poll_digital_inputs(uint64_t name, const Ecu_slave_iface& table);
    static Message set_digital_on_change_mask(uint64_t name, const Ecu_slave_iface& table);
    static Message set_digital_input_time_interval(uint64_t name, const Ecu_slave_iface& table, uint32_t ms);
    static Message set_digital_on_change_threshold(uint64_t name, const Ecu_slave_iface& table);
    static Message set_digital_output(uint64_t name, const Ecu_slave_iface& table, uint32_t output_word);
    static Message set_digital_input_polarity(uint64_t name, const Ecu_slave_iface& table, uint32_t polarity_word);

    // The data bytes of the version request, sent on PGN_PROPRIETARY_A.
    static std::vector<uint8_t> get_version();

private:
    static Message make(uint64_t name, unsigned element_id, uint16_t data_id, Message::eCommand command,
                        uint32_t value);
};

}
