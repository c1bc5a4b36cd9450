#include "orrvan_comms/private/include/RQ71_slave.h"

namespace Next_gen {

namespace {
constexpr unsigned connector_count = 4;
}

unsigned RQ71_slave::get_adc_eid(unsigned connector, unsigned pin) const
{
    if (connector < connector_count && pin >= 7 && pin <= 9)
        return 524 + 3 * connector + (pin - 7);
    return get_invalid_eid();
}

unsigned RQ71_slave::get_encoder_eid(unsigned connector, unsigned pin) const
{
    if (connector < connector_count && pin >= 4 && pin <= 6)
        return 512 + 3 * connector + (pin - 4);
    return get_invalid_eid();
}

unsigned RQ71_slave::get_digital_input_bit(unsigned connector, unsigned pin) const
{
    if (connector < connector_count && pin == 3)
        return connector;
    return 0;
}

unsigned RQ71_slave::get_digital_output_bit(unsigned connector, unsigned pin) const
{
    if (connector < connector_count && (pin == 10 || pin == 11))
        return 4 * connector + 2 * (pin - 10);
    return 0;
}

unsigned RQ71_slave::get_eid_block_probe() const { return 7; }
unsigned RQ71_slave::get_eid_device_info() const { return 4; }
unsigned RQ71_slave::get_eid_discreet_inputs() const { return 5; }
unsigned RQ71_slave::get_eid_relays() const { return 21; }
unsigned RQ71_slave::get_eid_comms() const { return 19; }
unsigned RQ71_slave::get_eid_diagnostics() const { return 17; }
unsigned RQ71_slave::get_eid_led_error() const { return 0; }
unsigned RQ71_slave::get_invalid_eid() const { return 632; }

}
