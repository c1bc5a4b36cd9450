#include "orrvan_comms/private/include/RQ73_slave.h"

#include <algorithm>
#include <array>

namespace Next_gen {

namespace {

// The pins of one connector that carry a kind of signal, in the order their
// element IDs or bits are numbered.
constexpr std::array<unsigned, 5> encoder_and_input_pins{3, 4, 5, 6, 9};
constexpr std::array<unsigned, 5> output_pins{0, 1, 10, 11, 12};

// Position of the pin in the list, or -1 when it is not there.
int position(const std::array<unsigned, 5>& pins, unsigned pin)
{
    const auto at = std::find(pins.begin(), pins.end(), pin);
    return at == pins.end() ? -1 : int(at - pins.begin());
}

}

unsigned RQ73_slave::get_adc_eid(unsigned connector, unsigned pin) const
{
    if (connector < 2 && (pin == 7 || pin == 8))
        return 24 + 2 * connector + (pin - 7);
    return get_invalid_eid();
}

unsigned RQ73_slave::get_encoder_eid(unsigned connector, unsigned pin) const
{
    const int at = position(encoder_and_input_pins, pin);
    if (connector < 2 && at >= 0)
        return 12 + 5 * connector + unsigned(at);
    return get_invalid_eid();
}

unsigned RQ73_slave::get_digital_input_bit(unsigned connector, unsigned pin) const
{
    const int at = position(encoder_and_input_pins, pin);
    if (connector < 2 && at >= 0)
        return 5 * connector + unsigned(at);
    if (connector == 2 && (pin == 1 || pin == 2))
        return 9 + pin;
    return 0;
}

unsigned RQ73_slave::get_digital_output_bit(unsigned connector, unsigned pin) const
{
    const int at = position(output_pins, pin);
    if (connector < 2 && at >= 0)
        return 10 * connector + 2 * unsigned(at);
    return 0;
}

unsigned RQ73_slave::get_eid_block_probe() const { return 4071; }
unsigned RQ73_slave::get_eid_device_info() const { return 4080; }
unsigned RQ73_slave::get_eid_discreet_inputs() const { return 0; }
unsigned RQ73_slave::get_eid_relays() const { return 3; }
unsigned RQ73_slave::get_eid_comms() const { return 4077; }
unsigned RQ73_slave::get_eid_diagnostics() const { return 4079; }
unsigned RQ73_slave::get_eid_led_error() const { return 4076; }
unsigned RQ73_slave::get_invalid_eid() const { return 118; }

}
