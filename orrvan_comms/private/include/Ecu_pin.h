#pragma once
#include "orrvan_comms/include/Ecu_pin_iface.h"
#include "orrvan_comms/private/include/Ecu_common.h"
#include "orrvan_comms/private/include/Ecu_pin_private_iface.h"

#include <QString>
#include <atomic>
#include <cstdint>

namespace Next_gen {

class Ecu_slave_message_iface;

// The part every pin has: name, index, kind, status and connector. Each
// typed pin holds one and forwards to it.
class Ecu_pin : public Ecu_pin_iface, public Ecu_pin_private_iface {
public:
    Ecu_pin(Ecu_connector_iface* connector, QString name, unsigned index, Ecu_pin_type type);
    Ecu_pin(Ecu_connector_iface* connector, QString name, unsigned index);

    QString get_name() const override;
    unsigned get_index() const override;
    Ecu_pin_type get_pin_type() const override;
    Ecu_connector_iface* get_connector() const override;
    bool is_valid() const override;
    bool is_configured() const override;
    Observable_iface<Ecu_pin_iface, Ecu_pin_value_status>& get_status_observer() override;
    Ecu_pin_value_status get_status() override;
    QString get_value_string() const override;
    Ecu_pin_analogue_iface& as_analogue_input() override;
    Ecu_pin_digital_output_iface& as_digital_output() override;
    Ecu_pin_digital_input_iface& as_digital_input() override;
    Ecu_pin_encoder_input_iface& as_encoder_input() override;
    Ecu_pin_pwm_output_iface& as_pwm_output() override;

    // Ticks the status, so that its observers hear of a change.
    void tick() override;
    void set_pin_value_status(Ecu_pin_value_status status) override;
    unsigned get_input_index(unsigned which) override;
    void forget_connector() override;

    void set_configured();
    // The ECU of the pin's connector as the slave it talks to; null when the
    // pin has no connector (any more) or the connector no such ECU.
    Ecu_slave_message_iface* get_slave() const;
    // The pin's connector index, for the ECU's tables.
    unsigned get_connector_index() const;

private:
    const QString m_name;
    const uint32_t m_index;
    const Ecu_pin_type m_pin_type;
    Observable_impl<Ecu_pin_iface, Ecu_pin_value_status> m_status;
    std::atomic<Ecu_connector_iface*> m_connector;
    bool m_configured = false;
};

}
