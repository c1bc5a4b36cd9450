#pragma once
#include "orrvan_comms/private/include/Ecu_slave_iface.h"

namespace Next_gen {

// Element table of the first-generation slave ECU (types 0, 1 and 2): four
// connectors with three encoder and three analogue inputs each.
class RQ71_slave : public Ecu_slave_iface {
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
