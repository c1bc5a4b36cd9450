#include "orrvan_comms/private/include/Ecu_pin_pwm_output.h"

namespace Next_gen {

Ecu_pin_pwm_output::Ecu_pin_pwm_output(Ecu_connector_iface* connector, QString name, unsigned index)
    : Ecu_typed_pin(connector, std::move(name), index, Ecu_pin_type::pwm_output)
{
    m_pin.set_configured();
}

QString Ecu_pin_pwm_output::get_value_string() const
{
    return QString("%1%%").arg(double(m_duty.load()), 0, 'g', 1);
}

void Ecu_pin_pwm_output::set_pin_value(bool on)
{
    if (is_valid())
        m_duty = on ? 1.0f : 0.0f;
}

}
