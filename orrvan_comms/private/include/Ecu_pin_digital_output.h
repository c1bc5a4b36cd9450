#pragma once
#include "orrvan_comms/private/include/Ecu_pin_value_private_iface.h"
#include "orrvan_comms/private/include/Ecu_typed_pin.h"

#include <atomic>

namespace Next_gen {

class Ecu_pin_digital_output : public Ecu_typed_pin<Ecu_pin_digital_output_iface>,
                               public Ecu_pin_value_private_iface<Digital_output_value> {
public:
    Ecu_pin_digital_output(Ecu_connector_iface* connector, QString name, unsigned index);

    QString get_value_string() const override;
    bool set_active_high(bool active_high) override;
    Digital_output_value get_value() const override;
    void set_value(Digital_output_value value) override;

    // Keeps the value even when the ECU cannot be reached.
    void set_pin_value(Digital_output_value value) override;

private:
    std::atomic<Digital_output_value> m_value{Digital_output_value::not_used};
};

}
