#pragma once
#include "orrvan_comms/private/include/Ecu_pin_triggers.h"
#include "orrvan_comms/private/include/Ecu_pin_value_private_iface.h"
#include "orrvan_comms/private/include/Ecu_typed_pin.h"

namespace Next_gen {

class Ecu_pin_digital_input : public Ecu_typed_pin<Ecu_pin_digital_input_iface>,
                              public Ecu_pin_value_private_iface<bool>,
                              public Ecu_pin_triggers<Ecu_pin_digital_input_iface, bool> {
public:
    Ecu_pin_digital_input(Ecu_connector_iface* connector, QString name, unsigned index);

    QString get_value_string() const override;
    // The ECU keeps the polarity; the pin keeps none of its own. The null
    // pin refuses (false).
    bool set_active_high(bool active_high) override;
    Observable_iface<Ecu_pin_digital_input_iface, bool>& get_value_observer() override;
    bool get_value() const override;

    void tick() override;
    void set_pin_value(bool value) override;
    // One interval serves every digital input of the ECU.
    void set_on_time_update_interval(Ecu_pin_digital_input_iface* owner, bool* value, unsigned millisec) override;

private:
    Observable_impl<Ecu_pin_digital_input_iface, bool> m_value;
};

}
