#pragma once
#include "orrvan_comms/private/include/Slave_response_iface.h"

#include <cstdint>
#include <vector>

namespace Next_gen {

// Reads what a slave ECU sends and hands it to its ECU object: process-data
// responses by element ID, in the order of the ECU's model table, probe
// values straight to their pins, and the version answer. Whatever it cannot
// use (another PGN, a message shorter than 8 bytes, an unknown element or
// data ID) is reported on the library's debug channel and dropped.
class Slave_message_decoder {
public:
    // The NAME of the ECU, for its debug lines.
    Slave_message_decoder(uint64_t name, Slave_response_iface& ecu);

    void decode(uint32_t pgn, const std::vector<uint8_t>& data);

private:
    void decode_process_data_message(const std::vector<uint8_t>& data);
    void decode_proprietary_A_message(const std::vector<uint8_t>& data);
    void decode_message_response(uint16_t element_id, uint16_t data_id, uint32_t value);
    void handle_device_info_response(uint16_t data_id, uint32_t value);
    void handle_discreet_input_response(uint16_t data_id, uint32_t value);
    void handle_block_probe_response(uint16_t data_id, uint32_t value);
    void handle_relays_response(uint16_t data_id, uint32_t value);
    void report_unhandled(uint32_t pgn);

    const uint64_t m_name;
    Slave_response_iface& m_ecu;
};

}
