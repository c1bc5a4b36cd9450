#include "orrvan_comms/private/include/Ecu_pin.h"
#include "orrvan_comms/include/Ecu_connector_iface.h"
#include "orrvan_comms/include/Ecu_iface.h"
#include "orrvan_comms/private/include/Ecu_null_objects.h"
#include "orrvan_comms/private/include/Ecu_slave_message_iface.h"

namespace Next_gen {

Ecu_pin::Ecu_pin(Ecu_connector_iface* connector, QString name, unsigned index, Ecu_pin_type type)
    : m_name(std::move(name)), m_index(index), m_pin_type(type), m_status(this), m_connector(connector)
{
    m_status.set_value(Ecu_pin_value_status::initial);
}

Ecu_pin::Ecu_pin(Ecu_connector_iface* connector, QString name, unsigned index)
    : Ecu_pin(connector, std::move(name), index, Ecu_pin_type::none)
{
}

QString Ecu_pin::get_name() const { return m_name; }
unsigned Ecu_pin::get_index() const { return m_index; }
Ecu_pin_type Ecu_pin::get_pin_type() const { return m_pin_type; }
Ecu_connector_iface* Ecu_pin::get_connector() const { return m_connector; }
bool Ecu_pin::is_valid() const { return true; }
bool Ecu_pin::is_configured() const { return m_configured; }

Observable_iface<Ecu_pin_iface, Ecu_pin_value_status>& Ecu_pin::get_status_observer()
{
    return m_status;
}

Ecu_pin_value_status Ecu_pin::get_status() { return m_status.get_value(); }
QString Ecu_pin::get_value_string() const { return QString(); }

Ecu_pin_analogue_iface& Ecu_pin::as_analogue_input() { return get_ecu_pin_invalid_analogue(); }
Ecu_pin_digital_output_iface& Ecu_pin::as_digital_output() { return get_ecu_pin_invalid_digital_output(); }
Ecu_pin_digital_input_iface& Ecu_pin::as_digital_input() { return get_ecu_pin_invalid_digital_input(); }
Ecu_pin_encoder_input_iface& Ecu_pin::as_encoder_input() { return get_ecu_pin_invalid_encoder_input(); }
Ecu_pin_pwm_output_iface& Ecu_pin::as_pwm_output() { return get_ecu_pin_invalid_pwm_output(); }

void Ecu_pin::tick() { m_status.tick(); }

void Ecu_pin::set_pin_value_status(Ecu_pin_value_status status)
{
    if (status != m_status.get_value())
        m_status.set_value(status);
}

unsigned Ecu_pin::get_input_index(unsigned) { return 0; }

void Ecu_pin::forget_connector() { m_connector = nullptr; }

void Ecu_pin::set_configured() { m_configured = true; }

Ecu_slave_message_iface* Ecu_pin::get_slave() const
{
    Ecu_connector_iface* connector = m_connector;
    return dynamic_cast<Ecu_slave_message_iface*>(connector ? connector->get_ecu() : nullptr);
}

unsigned Ecu_pin::get_connector_index() const
{
    Ecu_connector_iface* connector = m_connector;
    return connector ? connector->get_index() : 0;
}

}
