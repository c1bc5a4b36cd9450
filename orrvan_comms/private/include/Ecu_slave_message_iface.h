#pragma once
#include "orrvan_comms/include/Ecu_pin_digital_output_iface.h"
#include "orrvan_comms/include/Ecu_pin_iface.h"

#include <cstdint>
#include <memory>
#include <mutex>

namespace Next_gen {

// How the connectors and pins of an ECU reach their slave: the model tables,
// the input indexes and pin map, the digital words and the requests. The ECU
// object implements it beside Ecu_iface; the library finds it by a run-time
// type query on the ECU.
//
// Every operation may be called from any thread and takes the ECU's lock
// itself, so a caller must not hold that lock while calling one.
class Ecu_slave_message_iface {
public:
    virtual ~Ecu_slave_message_iface() = default;

    // The ECU's input index of one value of an element (which 0: an analogue
    // value or an encoder period, 1: an encoder pulse count). Indexes count
    // from 0 in the order of first request and are never released; asking
    // again for the same pair gives the same index.
    virtual unsigned get_input_index(uint16_t element_id, uint16_t which) = 0;
    // From the model table of the ECU's current type.
    virtual unsigned get_adc_eid(unsigned connector, unsigned pin) = 0;
    virtual unsigned get_encoder_eid(unsigned connector, unsigned pin) = 0;
    virtual unsigned get_digital_input_bit(unsigned connector, unsigned pin) = 0;
    virtual unsigned get_digital_output_bit(unsigned connector, unsigned pin) = 0;
    // Changes the output's two bits in the requested output word and queues
    // the word when the slave has not confirmed it.
    virtual void set_digital_output(unsigned connector, unsigned pin, Digital_output_value value) = 0;
    // Sets the input's two-bit field of the polarity word (01 active high,
    // 00 active low) and queues the word.
    virtual void set_digital_input_polarity(unsigned connector, unsigned pin, bool active_high) = 0;
    // Values received for that input index go to that pin from now on.
    virtual void update_pin_map(uint16_t input_index, std::shared_ptr<Ecu_pin_iface> pin) = 0;

    // Queued requests: sent one per tick while the slave runs; they return true.
    virtual bool send_message_block_probe(uint16_t element_id, uint16_t kind, uint16_t input_index) = 0;
    virtual bool send_message_probe_time_interval(uint16_t input_index, uint32_t ms) = 0;
    virtual bool send_message_analogue_probe(uint16_t element_id, uint16_t input_index) = 0;
    virtual bool send_message_encoder_period_probe(uint16_t element_id, uint16_t input_index) = 0;
    virtual bool send_message_encoder_pulse_count_probe(uint16_t element_id, uint16_t input_index) = 0;
    virtual bool send_message_encoder_period_time_interval(uint16_t input_index, uint32_t ms) = 0;
    virtual bool send_message_encoder_pulse_count_time_interval(uint16_t input_index, uint32_t ms) = 0;

    // Requests sent at once: false when they could not be written (the link
    // is closed, or the ECU has no link).
    virtual bool send_message_request_device_config() = 0;
    virtual bool send_message_clear_config() = 0;
    virtual bool send_message_setup_mode() = 0;
    virtual bool send_message_configured() = 0;
    virtual bool send_message_get_version() = 0;

    // Queued requests again.
    virtual bool send_message_set_digital_input_polarity() = 0;
    virtual bool send_message_set_digital_input_time_interval(uint32_t ms) = 0;
    virtual bool send_message_poll_digital_inputs() = 0;
    virtual bool send_message_set_digital_on_change_mask() = 0;
    virtual bool send_message_set_digital_on_change_threshold() = 0;
    virtual bool send_message_set_digital_output() = 0;

    // Sent at once.
    virtual bool send_message_clear_error_comms() = 0;

    // The ECU's lock. It guards the ECU's queue, input indexes, pin map,
    // output and polarity words, and the pin maps of its connectors. Nobody
    // calls a pin, an observable or an operation of this interface while
    // holding it.
    virtual std::mutex& get_lock() = 0;
};

}
