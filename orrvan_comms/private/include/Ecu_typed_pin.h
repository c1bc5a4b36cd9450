#pragma once
#include "orrvan_comms/include/Ecu_pin_analogue_iface.h"
#include "orrvan_comms/include/Ecu_pin_digital_input_iface.h"
#include "orrvan_comms/include/Ecu_pin_digital_output_iface.h"
#include "orrvan_comms/include/Ecu_pin_encoder_input_iface.h"
#include "orrvan_comms/include/Ecu_pin_pwm_output_iface.h"
#include "orrvan_comms/private/include/Ecu_null_objects.h"
#include "orrvan_comms/private/include/Ecu_pin.h"

#include <type_traits>

namespace Next_gen {

// What the five kinds of pin share: the common part as a member, the public
// operations forwarded to it, and the conversions to the kinds, which give
// the pin itself for its own kind and the null pin of any other.
//
// A null pin changes nothing: it is shared by every caller of the process,
// so a value or status written to it would leak from one caller to the next.
template <class Iface>
class Ecu_typed_pin : public Iface, public Ecu_pin_private_iface {
public:
    Ecu_typed_pin(Ecu_connector_iface* connector, QString name, unsigned index, Ecu_pin_type type)
        : m_pin(connector, std::move(name), index, type)
    {
    }

    QString get_name() const override { return m_pin.get_name(); }
    unsigned get_index() const override { return m_pin.get_index(); }
    Ecu_pin_type get_pin_type() const override { return m_pin.get_pin_type(); }
    Ecu_connector_iface* get_connector() const override { return m_pin.get_connector(); }
    bool is_valid() const override { return true; }
    bool is_configured() const override { return m_pin.is_configured(); }
    Observable_iface<Ecu_pin_iface, Ecu_pin_value_status>& get_status_observer() override
    {
        return m_pin.get_status_observer();
    }
    Ecu_pin_value_status get_status() override { return m_pin.get_status(); }

    Ecu_pin_analogue_iface& as_analogue_input() override
    {
        return self_or<Ecu_pin_analogue_iface>(get_ecu_pin_invalid_analogue);
    }
    Ecu_pin_digital_output_iface& as_digital_output() override
    {
        return self_or<Ecu_pin_digital_output_iface>(get_ecu_pin_invalid_digital_output);
    }
    Ecu_pin_digital_input_iface& as_digital_input() override
    {
        return self_or<Ecu_pin_digital_input_iface>(get_ecu_pin_invalid_digital_input);
    }
    Ecu_pin_encoder_input_iface& as_encoder_input() override
    {
        return self_or<Ecu_pin_encoder_input_iface>(get_ecu_pin_invalid_encoder_input);
    }
    Ecu_pin_pwm_output_iface& as_pwm_output() override
    {
        return self_or<Ecu_pin_pwm_output_iface>(get_ecu_pin_invalid_pwm_output);
    }

    void tick() override { m_pin.tick(); }
    void set_pin_value_status(Ecu_pin_value_status status) override
    {
        if (is_valid())
            m_pin.set_pin_value_status(status);
    }
    unsigned get_input_index(unsigned) override { return 0; }
    void forget_connector() override { m_pin.forget_connector(); }

protected:
    Ecu_pin m_pin;

private:
    template <class Kind>
    Kind& self_or(Kind& (*invalid)())
    {
        if constexpr (std::is_same_v<Kind, Iface>)
            return *this;
        else
            return invalid();
    }
};

}
