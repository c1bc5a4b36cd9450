#pragma once
#include "orrvan_comms/include/Observable_iface.h"

#include <QString>
#include <cstdint>

namespace Next_gen {

class Ecu_connector_iface;
class Ecu_pin_analogue_iface;
class Ecu_pin_digital_input_iface;
class Ecu_pin_digital_output_iface;
class Ecu_pin_encoder_input_iface;
class Ecu_pin_pwm_output_iface;

// The kind of a pin. No kind uses 3.
enum class Ecu_pin_type : uint32_t {
    none = 0,
    analogue_input = 1,
    encoder_input = 2,
    digital_input = 4,
    digital_output = 5,
    pwm_output = 6,
};

// The status of a pin's value. Every pin starts with the initial status; the
// other values belong to the clients that force pins through the test
// interface, and the library gives them no meaning.
enum class Ecu_pin_value_status : uint32_t {
    initial = 3,
};

// One signal on a connector of a slave ECU.
class Ecu_pin_iface {
public:
    virtual ~Ecu_pin_iface() = default;

    virtual QString get_name() const = 0;
    virtual unsigned get_index() const = 0;
    virtual Ecu_pin_type get_pin_type() const = 0;
    virtual Ecu_connector_iface* get_connector() const = 0;
    // False for the null pins that look-ups return when there is no pin.
    virtual bool is_valid() const = 0;
    virtual bool is_configured() const = 0;
    virtual Observable_iface<Ecu_pin_iface, Ecu_pin_value_status>& get_status_observer() = 0;
    virtual Ecu_pin_value_status get_status() = 0;
    // The value as text, for display.
    virtual QString get_value_string() const = 0;
    // The pin itself when it is of that kind, else the null pin of that kind.
    virtual Ecu_pin_analogue_iface& as_analogue_input() = 0;
    virtual Ecu_pin_digital_output_iface& as_digital_output() = 0;
    virtual Ecu_pin_digital_input_iface& as_digital_input() = 0;
    virtual Ecu_pin_encoder_input_iface& as_encoder_input() = 0;
    virtual Ecu_pin_pwm_output_iface& as_pwm_output() = 0;
};

}
