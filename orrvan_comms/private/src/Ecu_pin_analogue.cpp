#include "orrvan_comms/private/include/Ecu_pin_analogue.h"
#include "orrvan_comms/private/include/Ecu_slave_message_iface.h"

namespace Next_gen {

Ecu_pin_analogue::Ecu_pin_analogue(Ecu_connector_iface* connector, QString name, unsigned index)
    : Ecu_typed_pin(connector, std::move(name), index, Ecu_pin_type::analogue_input), m_value(this)
{
}

QString Ecu_pin_analogue::get_value_string() const
{
    return QString("%1").arg(double(get_value()), 0, 'g', 6);
}

bool Ecu_pin_analogue::set_differential_mode(bool) { return true; }

Observable_iface<Ecu_pin_analogue_iface, float>& Ecu_pin_analogue::get_value_observer() { return m_value; }

float Ecu_pin_analogue::get_value() const { return m_value.get_value(); }

void Ecu_pin_analogue::tick()
{
    Ecu_typed_pin::tick();
    m_value.tick();
}

void Ecu_pin_analogue::set_pin_value(float value)
{
    if (is_valid())
        m_value.set_value(value);
}

void Ecu_pin_analogue::set_on_time_update_interval(Ecu_pin_analogue_iface*, float*, unsigned millisec)
{
    if (!is_valid())
        return;
    Ecu_slave_message_iface* slave = m_pin.get_slave();
    if (!slave)
        return;
    const unsigned element_id = slave->get_adc_eid(m_pin.get_connector_index(), get_index());
    const unsigned input_index = slave->get_input_index(uint16_t(element_id), 0);
    slave->send_message_probe_time_interval(uint16_t(input_index), millisec);
}

}
