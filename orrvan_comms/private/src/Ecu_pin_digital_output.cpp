#include "orrvan_comms/private/include/Ecu_pin_digital_output.h"
#include "orrvan_comms/private/include/Ecu_slave_message_iface.h"

#include <QObject>

namespace Next_gen {

Ecu_pin_digital_output::Ecu_pin_digital_output(Ecu_connector_iface* connector, QString name, unsigned index)
    : Ecu_typed_pin(connector, std::move(name), index, Ecu_pin_type::digital_output)
{
    m_pin.set_configured();
}

QString Ecu_pin_digital_output::get_value_string() const
{
    switch (get_value()) {
    case Digital_output_value::low:
        return QObject::tr("Low");
    case Digital_output_value::high:
        return QObject::tr("High");
    case Digital_output_value::floating:
        return QObject::tr("Float");
    case Digital_output_value::not_used:
        return QObject::tr("Not used");
    }
    return QObject::tr("Invalid (%d)").replace("%d", QString::number(uint32_t(get_value())));
}

bool Ecu_pin_digital_output::set_active_high(bool) { return true; }

Digital_output_value Ecu_pin_digital_output::get_value() const { return m_value; }

void Ecu_pin_digital_output::set_value(Digital_output_value value) { set_pin_value(value); }

void Ecu_pin_digital_output::set_pin_value(Digital_output_value value)
{
    if (!is_valid())
        return;
    m_value = value;
    if (Ecu_slave_message_iface* slave = m_pin.get_slave())
        slave->set_digital_output(m_pin.get_connector_index(), get_index(), value);
}

}
