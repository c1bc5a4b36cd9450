#pragma once
#include "orrvan_comms/private/include/Ecu_pin_triggers.h"
#include "orrvan_comms/private/include/Ecu_pin_value_private_iface.h"
#include "orrvan_comms/private/include/Ecu_typed_pin.h"

namespace Next_gen {

// The ECU reports the period and the pulse count under two input indexes.
class Ecu_pin_encoder_input : public Ecu_typed_pin<Ecu_pin_encoder_input_iface>,
                              public Ecu_pin_value_private_iface<float>,
                              public Ecu_pin_value_private_iface<unsigned int>,
                              public Ecu_pin_triggers<Ecu_pin_encoder_input_iface, float>,
                              public Ecu_pin_triggers<Ecu_pin_encoder_input_iface, unsigned int> {
public:
    Ecu_pin_encoder_input(Ecu_connector_iface* connector, QString name, unsigned index,
                          unsigned period_input_index, unsigned pulse_count_input_index);

    QString get_value_string() const override;
    Observable_iface<Ecu_pin_encoder_input_iface, float>& get_period_observer() override;
    Observable_iface<Ecu_pin_encoder_input_iface, unsigned int>& get_pulse_count_observer() override;
    float get_period() const override;
    unsigned get_pulse_count() const override;

    void tick() override;
    // which 0: the period's input index; any other: the pulse count's.
    unsigned get_input_index(unsigned which) override;
    // The period.
    void set_pin_value(float value) override;
    // The pulse count.
    void set_pin_value(unsigned int value) override;
    void set_on_time_update_interval(Ecu_pin_encoder_input_iface* owner, float* value, unsigned millisec) override;
    void set_on_time_update_interval(Ecu_pin_encoder_input_iface* owner, unsigned int* value,
                                     unsigned millisec) override;

private:
    // The ECU's numbering of the two values of an encoder.
    static constexpr uint16_t period = 0;
    static constexpr uint16_t pulse_count = 1;

    // Asks the ECU to report one of the values every millisec.
    void report_every(uint16_t which, unsigned millisec);

    const unsigned m_period_input_index;
    const unsigned m_pulse_count_input_index;
    Observable_impl<Ecu_pin_encoder_input_iface, float> m_period;
    Observable_impl<Ecu_pin_encoder_input_iface, unsigned int> m_pulse_count;
};

}
