#include "orrvan_comms/private/include/Ecu_connector.h"
#include "orrvan_comms/include/Ecu_iface.h"
#include "orrvan_comms/private/include/Ecu_assert.h"
#include "orrvan_comms/private/include/Ecu_null_objects.h"
#include "orrvan_comms/private/include/Ecu_pin_analogue.h"
#include "orrvan_comms/private/include/Ecu_pin_digital_input.h"
#include "orrvan_comms/private/include/Ecu_pin_digital_output.h"
#include "orrvan_comms/private/include/Ecu_pin_encoder_input.h"
#include "orrvan_comms/private/include/Ecu_pin_pwm_output.h"
#include "orrvan_comms/private/include/Ecu_slave_message_iface.h"

#include <functional>

namespace Next_gen {

namespace {

using Pin_ptr = std::shared_ptr<Ecu_pin_iface>;

}

Ecu_connector::Ecu_connector(Ecu_iface* ecu, QString name, unsigned index)
    : m_index(index), m_name(std::move(name)), m_ecu(ecu), m_slave(dynamic_cast<Ecu_slave_message_iface*>(ecu))
{
}

Ecu_connector::~Ecu_connector()
{
    // The ECU keeps its analogue and encoder pins after its connectors go.
    for (const auto& entry : m_pins)
        if (entry.second.own)
            entry.second.own->forget_connector();
}

QString Ecu_connector::get_name() { return m_name; }
unsigned Ecu_connector::get_index() { return m_index; }
bool Ecu_connector::is_valid() const { return true; }
Ecu_iface* Ecu_connector::get_ecu() { return m_ecu; }

Ecu_pin_iface& Ecu_connector::get_pin(unsigned index)
{
    if (Pin_ptr pin = find_pin(index))
        return *pin;
    return get_ecu_pin_invalid_analogue();
}

std::vector<std::reference_wrapper<Ecu_pin_iface>> Ecu_connector::get_pins()
{
    std::vector<std::reference_wrapper<Ecu_pin_iface>> pins;
    auto lock = lock_pins();
    pins.reserve(m_pins.size());
    for (const auto& entry : m_pins)
        pins.emplace_back(*entry.second.pin);
    return pins;
}

// The pin of a kind under index: the null pin of the kind on an invalid
// connector; else the pin already there, or one that make() creates, which
// announce() then makes known to the ECU. A pin of another kind under index
// raises std::bad_cast.
template <class Kind>
Kind& Ecu_connector::pin_of_kind(unsigned index, Kind& (*invalid)(), const std::function<Pin_ptr()>& make,
                                 const std::function<void(const Pin_ptr&)>& announce)
{
    if (!is_valid())
        return invalid();
    Pin_ptr pin = find_pin(index);
    if (!pin) {
        bool created = false;
        std::tie(pin, created) = insert_pin(index, make());
        if (created && announce)
            announce(pin);
    }
    return dynamic_cast<Kind&>(*pin);
}

Ecu_pin_analogue_iface& Ecu_connector::get_pin_analogue_input(unsigned index, QString name)
{
    uint16_t element_id = 0;
    uint16_t input_index = 0;
    return pin_of_kind<Ecu_pin_analogue_iface>(
        index, get_ecu_pin_invalid_analogue,
        [&] {
            element_id = uint16_t(slave().get_adc_eid(m_index, index));
            input_index = uint16_t(slave().get_input_index(element_id, 0));
            return std::make_shared<Ecu_pin_analogue>(this, name, index);
        },
        [&](const Pin_ptr& pin) {
            slave().update_pin_map(input_index, pin);
            slave().send_message_analogue_probe(element_id, input_index);
        });
}

Ecu_pin_digital_input_iface& Ecu_connector::get_pin_digital_input(unsigned index, QString name)
{
    return pin_of_kind<Ecu_pin_digital_input_iface>(index, get_ecu_pin_invalid_digital_input, [&] {
        return std::make_shared<Ecu_pin_digital_input>(this, name, index);
    });
}

Ecu_pin_digital_output_iface& Ecu_connector::get_pin_digital_output(unsigned index, QString name)
{
    return pin_of_kind<Ecu_pin_digital_output_iface>(index, get_ecu_pin_invalid_digital_output, [&] {
        return std::make_shared<Ecu_pin_digital_output>(this, name, index);
    });
}

Ecu_pin_encoder_input_iface& Ecu_connector::get_pin_encoder_input(unsigned index, QString name)
{
    uint16_t element_id = 0;
    uint16_t period_index = 0;
    uint16_t count_index = 0;
    return pin_of_kind<Ecu_pin_encoder_input_iface>(
        index, get_ecu_pin_invalid_encoder_input,
        [&] {
            element_id = uint16_t(slave().get_encoder_eid(m_index, index));
            period_index = uint16_t(slave().get_input_index(element_id, 0));
            count_index = uint16_t(slave().get_input_index(element_id, 1));
            return std::make_shared<Ecu_pin_encoder_input>(this, name, index, period_index, count_index);
        },
        [&](const Pin_ptr& pin) {
            slave().update_pin_map(period_index, pin);
            slave().send_message_encoder_period_probe(element_id, period_index);
            slave().update_pin_map(count_index, pin);
            slave().send_message_encoder_pulse_count_probe(element_id, count_index);
        });
}

Ecu_pin_pwm_output_iface& Ecu_connector::get_pin_pwm_output(unsigned index, QString name)
{
    return pin_of_kind<Ecu_pin_pwm_output_iface>(index, get_ecu_pin_invalid_pwm_output, [&] {
        return std::make_shared<Ecu_pin_pwm_output>(this, name, index);
    });
}

void Ecu_connector::tick()
{
    {
        auto lock = lock_pins();
        for (const auto& entry : m_pins)
            m_ticked_pins.push_back(entry.second);
    }
    for (const Held_pin& held : m_ticked_pins)
        if (held.own)
            held.own->tick();
    m_ticked_pins.clear();
}

Pin_ptr Ecu_connector::find_pin(unsigned index)
{
    auto lock = lock_pins();
    const auto found = m_pins.find(index);
    return found == m_pins.end() ? nullptr : found->second.pin;
}

std::pair<Pin_ptr, bool> Ecu_connector::insert_pin(unsigned index, Pin_ptr pin)
{
    auto* own = dynamic_cast<Ecu_pin_private_iface*>(pin.get());
    std::lock_guard<std::mutex> lock(slave().get_lock());
    const auto result = m_pins.emplace(index, Held_pin{std::move(pin), own});
    return {result.first->second.pin, result.second};
}

Ecu_slave_message_iface& Ecu_connector::slave()
{
    ECU_ASSERT(m_slave != nullptr);
    return *m_slave;
}

std::unique_lock<std::mutex> Ecu_connector::lock_pins()
{
    if (m_slave)
        return std::unique_lock<std::mutex>(m_slave->get_lock());
    return std::unique_lock<std::mutex>();
}

}
