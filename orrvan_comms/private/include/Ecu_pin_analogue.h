#pragma once
#include "orrvan_comms/private/include/Ecu_pin_triggers.h"
#include "orrvan_comms/private/include/Ecu_pin_value_private_iface.h"
#include "orrvan_comms/private/include/Ecu_typed_pin.h"

namespace Next_gen {

class Ecu_pin_analogue : public Ecu_typed_pin<Ecu_pin_analogue_iface>,
                         public Ecu_pin_value_private_iface<float>,
                         public Ecu_pin_triggers<Ecu_pin_analogue_iface, float> {
public:
    Ecu_pin_analogue(Ecu_connector_iface* connector, QString name, unsigned index);

    QString get_value_string() const override;
    bool set_differential_mode(bool differential) override;
    Observable_iface<Ecu_pin_analogue_iface, float>& get_value_observer() override;
    float get_value() const override;

    void tick() override;
    void set_pin_value(float value) override;
    void set_on_time_update_interval(Ecu_pin_analogue_iface* owner, float* value, unsigned millisec) override;

private:
    Observable_impl<Ecu_pin_analogue_iface, float> m_value;
};

}
