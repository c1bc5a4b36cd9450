#pragma once

namespace Next_gen {

// Where one slave ECU model keeps its functions and connector pins: element
// IDs and bit positions, which differ between hardware generations.
// Connectors are numbered from 0 (connector 0 is "Chan 1"), pins as the
// connector's pin requests number them.
class Ecu_slave_iface {
public:
    virtual ~Ecu_slave_iface() = default;

    // Element ID of an input; get_invalid_eid() for a pair that has none.
    virtual unsigned get_adc_eid(unsigned connector, unsigned pin) const = 0;
    virtual unsigned get_encoder_eid(unsigned connector, unsigned pin) const = 0;
    // Bit of the input in the discrete-input mask; 0 for a pair that has none.
    virtual unsigned get_digital_input_bit(unsigned connector, unsigned pin) const = 0;
    // Lowest bit of the output's two-bit field in the output word; 0 for a
    // pair that has none.
    virtual unsigned get_digital_output_bit(unsigned connector, unsigned pin) const = 0;
    virtual unsigned get_eid_block_probe() const = 0;
    virtual unsigned get_eid_device_info() const = 0;
    virtual unsigned get_eid_discreet_inputs() const = 0;
    virtual unsigned get_eid_relays() const = 0;
    virtual unsigned get_eid_comms() const = 0;
    virtual unsigned get_eid_diagnostics() const = 0;
    virtual unsigned get_eid_led_error() const = 0;
    // The element ID that stands for no element.
    virtual unsigned get_invalid_eid() const = 0;
};

}
