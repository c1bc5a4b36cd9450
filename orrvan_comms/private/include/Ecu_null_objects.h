#pragma once

namespace Next_gen {

class Ecu_iface;
class Ecu_connector_iface;
class Ecu_pin_analogue_iface;
class Ecu_pin_digital_input_iface;
class Ecu_pin_digital_output_iface;
class Ecu_pin_encoder_input_iface;
class Ecu_pin_pwm_output_iface;

// The shared null objects that look-ups return instead of a null reference.
// Each is built on its first use, from any thread, and lives until the
// process ends. Their is_valid() is false.
Ecu_iface& get_ecu_invalid();
Ecu_connector_iface& get_ecu_connector_invalid();
Ecu_pin_analogue_iface& get_ecu_pin_invalid_analogue();
Ecu_pin_digital_input_iface& get_ecu_pin_invalid_digital_input();
Ecu_pin_digital_output_iface& get_ecu_pin_invalid_digital_output();
Ecu_pin_encoder_input_iface& get_ecu_pin_invalid_encoder_input();
Ecu_pin_pwm_output_iface& get_ecu_pin_invalid_pwm_output();

}
