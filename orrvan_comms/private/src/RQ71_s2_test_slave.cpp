#include "orrvan_comms/private/include/RQ71_s2_test_slave.h"

namespace Next_gen {

unsigned RQ71_s2_test_slave::get_adc_eid(unsigned connector, unsigned pin) const
{
    if (connector == 0 && pin >= 7 && pin <= 9)
        return 24 + (pin - 7);
    if (connector == 1 && pin == 7)
        return 27;
    return get_invalid_eid();
}

unsigned RQ71_s2_test_slave::get_encoder_eid(unsigned connector, unsigned pin) const
{
    if (connector < 2 && pin >= 4 && pin <= 6)
        return 12 + 3 * connector + (pin - 4);
    return get_invalid_eid();
}

unsigned RQ71_s2_test_slave::get_digital_input_bit(unsigned connector, unsigned pin) const
{
    if (connector < 4 && pin == 3)
        return connector;
    if (connector == 4 && (pin == 1 || pin == 2))
        return 3 + pin;
    return 0;
}

unsigned RQ71_s2_test_slave::get_digital_output_bit(unsigned connector, unsigned pin) const
{
    if (connector < 4 && (pin == 10 || pin == 11))
        return 4 * connector + 2 * (pin - 10);
    if (connector == 5 && (pin == 12 || pin == 13))
        return 16 + 2 * (pin - 12);
    return 0;
}

unsigned RQ71_s2_test_slave::get_eid_block_probe() const { return 4071; }
unsigned RQ71_s2_test_slave::get_eid_device_info() const { return 4080; }
unsigned RQ71_s2_test_slave::get_eid_discreet_inputs() const { return 0; }
unsigned RQ71_s2_test_slave::get_eid_relays() const { return 3; }
unsigned RQ71_s2_test_slave::get_eid_comms() const { return 4077; }
unsigned RQ71_s2_test_slave::get_eid_diagnostics() const { return 4079; }
unsigned RQ71_s2_test_slave::get_eid_led_error() const { return 4076; }
unsigned RQ71_s2_test_slave::get_invalid_eid() const { return 118; }

}
