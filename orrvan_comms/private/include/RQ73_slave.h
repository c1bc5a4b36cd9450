#pragma once
#include "orrvan_comms/private/include/Ecu_slave_iface.h"

namespace Next_gen {

// Element table of the current-generation slave ECUs (types 4 to 8).
class RQ73_slave : public Ecu_slave_iface {
public:
    unsigned get_adc_eid(unsigned connector, unsigned pin) const override;
    unsigned get_encoder_eid(unsigned connector, unsigned pin) const override;
    unsigned get_digital_input_bit(unsigned connector, unsigned pin) const override;
    unsigned get_digital_output_bit(unsigned connector, unsigned pin) const override;
    unsigned get_eid_block_probe() const override;
    unsigned get_eid_device_info() const override;
    unsigned get_eid_discreet_inputs() const override;
    unsigned get_eid_relays() const override;
    unsigned get_eid_comms() const override;
    unsigned get_eid_diagnostics() const override;
    unsigned get_eid_led_error() const override;
    unsigned get_invalid_eid() const override;
};

}
