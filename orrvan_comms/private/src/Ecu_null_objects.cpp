#include "orrvan_comms/private/include/Ecu_null_objects.h"
#include "orrvan_comms/private/include/Ecu_connector_invalid.h"
#include "orrvan_comms/private/include/Ecu_invalid.h"
#include "orrvan_comms/private/include/Ecu_pin_analogue.h"
#include "orrvan_comms/private/include/Ecu_pin_digital_input.h"
#include "orrvan_comms/private/include/Ecu_pin_digital_output.h"
#include "orrvan_comms/private/include/Ecu_pin_encoder_input.h"
#include "orrvan_comms/private/include/Ecu_pin_invalid.h"
#include "orrvan_comms/private/include/Ecu_pin_pwm_output.h"

#include <limits>

namespace Next_gen {

namespace {

constexpr const char* invalid_name = "Invalid";
constexpr unsigned invalid_connector_index = 9999;
constexpr unsigned invalid_pin_index = std::numeric_limits<uint32_t>::max();

}

Ecu_iface& get_ecu_invalid()
{
    static Ecu_invalid ecu;
    return ecu;
}

// Built after the null ECU, so destroyed before it.
Ecu_connector_iface& get_ecu_connector_invalid()
{
    static Ecu_connector_invalid connector(&get_ecu_invalid(), invalid_name, invalid_connector_index);
    return connector;
}

Ecu_pin_analogue_iface& get_ecu_pin_invalid_analogue()
{
    static Ecu_pin_invalid<Ecu_pin_analogue> pin(&get_ecu_connector_invalid(), invalid_name, invalid_pin_index);
    return pin;
}

Ecu_pin_digital_input_iface& get_ecu_pin_invalid_digital_input()
{
    static Ecu_pin_invalid<Ecu_pin_digital_input> pin(&get_ecu_connector_invalid(), invalid_name,
                                                      invalid_pin_index);
    return pin;
}

Ecu_pin_digital_output_iface& get_ecu_pin_invalid_digital_output()
{
    static Ecu_pin_invalid<Ecu_pin_digital_output> pin(&get_ecu_connector_invalid(), invalid_name,
                                                       invalid_pin_index);
    return pin;
}

Ecu_pin_encoder_input_iface& get_ecu_pin_invalid_encoder_input()
{
    static Ecu_pin_invalid<Ecu_pin_encoder_input> pin(&get_ecu_connector_invalid(), invalid_name,
                                                      invalid_pin_index, 0, 0);
    return pin;
}

Ecu_pin_pwm_output_iface& get_ecu_pin_invalid_pwm_output()
{
    static Ecu_pin_invalid<Ecu_pin_pwm_output> pin(&get_ecu_connector_invalid(), invalid_name, invalid_pin_index);
    return pin;
}

}
