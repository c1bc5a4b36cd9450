#pragma once
#include "orrvan_comms/private/include/Ecu_pin_value_private_iface.h"
#include "orrvan_comms/private/include/Ecu_typed_pin.h"

#include <atomic>

namespace Next_gen {

// The duty is held here only; nothing of it goes to the ECU.
class Ecu_pin_pwm_output : public Ecu_typed_pin<Ecu_pin_pwm_output_iface>,
                           public Ecu_pin_value_private_iface<bool> {
public:
    Ecu_pin_pwm_output(Ecu_connector_iface* connector, QString name, unsigned index);

    QString get_value_string() const override;
    // Full duty for true, none for false.
    void set_pin_value(bool on) override;

private:
    std::atomic<float> m_duty{0.0f};
};

}
