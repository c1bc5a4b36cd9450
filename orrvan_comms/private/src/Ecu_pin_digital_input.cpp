#include "orrvan_comms/private/include/Ecu_pin_digital_input.h"
#include "orrvan_comms/private/include/Ecu_slave_message_iface.h"

#include <QObject>

namespace Next_gen {

Ecu_pin_digital_input::Ecu_pin_digital_input(Ecu_connector_iface* connector, QString name, unsigned index)
    : Ecu_typed_pin(connector, std::move(name), index, Ecu_pin_type::digital_input), m_value(this)
{
}

QString Ecu_pin_digital_input::get_value_string() const
{
    return get_value() ? QObject::tr("High") : QObject::tr("Low");
}

bool Ecu_pin_digital_input::set_active_high(bool active_high)
{
    if (!is_valid())
        return false;
    if (Ecu_slave_message_iface* slave = m_pin.get_slave())
        slave->set_digital_input_polarity(m_pin.get_connector_index(), get_index(), active_high);
    return true;
}

Observable_iface<Ecu_pin_digital_input_iface, bool>& Ecu_pin_digital_input::get_value_observer() { return m_value; }

bool Ecu_pin_digital_input::get_value() const { return m_value.get_value(); }

void Ecu_pin_digital_input::tick()
{
    Ecu_typed_pin::tick();
    m_value.tick();
}

void Ecu_pin_digital_input::set_pin_value(bool value)
{
    if (is_valid())
        m_value.set_value(value);
}

void Ecu_pin_digital_input::set_on_time_update_interval(Ecu_pin_digital_input_iface*, bool*, unsigned millisec)
{
    if (!is_valid())
        return;
    if (Ecu_slave_message_iface* slave = m_pin.get_slave())
        slave->send_message_set_digital_input_time_interval(millisec);
}

}
