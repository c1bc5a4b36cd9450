#pragma once
#include "orrvan_comms/include/Ecu_pin_analogue_iface.h"
#include "orrvan_comms/include/Ecu_pin_digital_input_iface.h"
#include "orrvan_comms/include/Ecu_pin_digital_output_iface.h"
#include "orrvan_comms/include/Ecu_pin_encoder_input_iface.h"
#include "orrvan_comms/include/Ecu_pin_pwm_output_iface.h"

#include <QString>
#include <functional>
#include <vector>

namespace Next_gen {

class Ecu_iface;

// One plug of a slave ECU and the pins a client asked for on it.
class Ecu_connector_iface {
public:
    virtual ~Ecu_connector_iface() = default;

    virtual QString get_name() = 0;
    virtual unsigned get_index() = 0;
    virtual bool is_valid() const = 0;
    virtual Ecu_iface* get_ecu() = 0;
    // The pin created under that index, else the null analogue pin.
    virtual Ecu_pin_iface& get_pin(unsigned index) = 0;
    // Every pin, in ascending pin index.
    virtual std::vector<std::reference_wrapper<Ecu_pin_iface>> get_pins() = 0;
    // The pin of that kind under that index, created on the first request
    // (a later request keeps the first name). A request for an index that
    // holds a pin of another kind raises std::bad_cast.
    virtual Ecu_pin_analogue_iface& get_pin_analogue_input(unsigned index, QString name) = 0;
    virtual Ecu_pin_digital_input_iface& get_pin_digital_input(unsigned index, QString name) = 0;
    virtual Ecu_pin_digital_output_iface& get_pin_digital_output(unsigned index, QString name) = 0;
    virtual Ecu_pin_encoder_input_iface& get_pin_encoder_input(unsigned index, QString name) = 0;
    virtual Ecu_pin_pwm_output_iface& get_pin_pwm_output(unsigned index, QString name) = 0;
};

}
