#include "orrvan_comms/private/include/Ecu_pin_encoder_input.h"
#include "orrvan_comms/private/include/Ecu_slave_message_iface.h"

#include <QObject>

namespace Next_gen {

Ecu_pin_encoder_input::Ecu_pin_encoder_input(Ecu_connector_iface* connector, QString name, unsigned index,
                                             unsigned period_input_index, unsigned pulse_count_input_index)
    : Ecu_typed_pin(connector, std::move(name), index, Ecu_pin_type::encoder_input),
      m_period_input_index(period_input_index),
      m_pulse_count_input_index(pulse_count_input_index),
      m_period(this),
      m_pulse_count(this)
{
    m_pin.set_configured();
}

QString Ecu_pin_encoder_input::get_value_string() const
{
    return QObject::tr("Period %1, Count %2").arg(double(get_period()), 0, 'g', 6).arg(get_pulse_count());
}

Observable_iface<Ecu_pin_encoder_input_iface, float>& Ecu_pin_encoder_input::get_period_observer()
{
    return m_period;
}

Observable_iface<Ecu_pin_encoder_input_iface, unsigned int>& Ecu_pin_encoder_input::get_pulse_count_observer()
{
    return m_pulse_count;
}

float Ecu_pin_encoder_input::get_period() const { return m_period.get_value(); }
unsigned Ecu_pin_encoder_input::get_pulse_count() const { return m_pulse_count.get_value(); }

void Ecu_pin_encoder_input::tick()
{
    Ecu_typed_pin::tick();
    m_period.tick();
    m_pulse_count.tick();
}

unsigned Ecu_pin_encoder_input::get_input_index(unsigned which)
{
    return which != 0 ? m_pulse_count_input_index : m_period_input_index;
}

void Ecu_pin_encoder_input::set_pin_value(float value)
{
    if (is_valid())
        m_period.set_value(value);
}

void Ecu_pin_encoder_input::set_pin_value(unsigned int value)
{
    if (is_valid())
        m_pulse_count.set_value(value);
}

void Ecu_pin_encoder_input::set_on_time_update_interval(Ecu_pin_encoder_input_iface*, float*, unsigned millisec)
{
    report_every(period, millisec);
}

void Ecu_pin_encoder_input::set_on_time_update_interval(Ecu_pin_encoder_input_iface*, unsigned int*,
                                                        unsigned millisec)
{
    report_every(pulse_count, millisec);
}

void Ecu_pin_encoder_input::report_every(uint16_t which, unsigned millisec)
{
    if (!is_valid())
        return;
    Ecu_slave_message_iface* slave = m_pin.get_slave();
    if (!slave)
        return;
    const unsigned element_id = slave->get_encoder_eid(m_pin.get_connector_index(), get_index());
    const auto input_index = uint16_t(slave->get_input_index(uint16_t(element_id), which));
    if (which == period)
        slave->send_message_encoder_period_time_interval(input_index, millisec);
    else
        slave->send_message_encoder_pulse_count_time_interval(input_index, millisec);
}

}
