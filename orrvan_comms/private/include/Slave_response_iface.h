#pragma once
#include "orrvan_comms/include/Ecu_pin_iface.h"
#include "orrvan_comms/include/Ecu_version_info.h"
#include "orrvan_comms/private/include/Ecu_slave_iface.h"

#include <cstdint>
#include <memory>

namespace Next_gen {

// What an ECU object learns from its slave's messages, as the decoder finds
// it. The decoder calls these on the ECU's task and holds no lock.
class Slave_response_iface {
public:
    virtual ~Slave_response_iface() = default;

    // The model table of the ECU's current type.
    virtual const Ecu_slave_iface& get_slave_table() = 0;
    // A device-information response with data ID 0: the handshake moves on.
    virtual void device_info_received(uint32_t value) = 0;
    // The discrete-input mask, one bit per input.
    virtual void discreet_inputs_received(uint32_t mask) = 0;
    // The output word as the slave reports it.
    virtual void relays_received(uint32_t output_word) = 0;
    // The pin that values of that input index go to; null when none does.
    virtual std::shared_ptr<Ecu_pin_iface> get_input_pin(uint16_t input_index) = 0;
    // The version the slave reports.
    virtual void version_received(const Ecu_version_info& version) = 0;
};

}
