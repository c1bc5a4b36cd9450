#pragma once
#include "orrvan_comms/include/Ecu_connector_iface.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace Next_gen {

class Ecu_pin_private_iface;
class Ecu_slave_message_iface;

// A connector of an ECU and the pins created on it. Pins are created on the
// first request for their index and kept as long as the connector lives.
// The pin map is guarded by the ECU's lock: a client thread creates pins
// while the ECU's task ticks them.
class Ecu_connector : public Ecu_connector_iface {
public:
    Ecu_connector(Ecu_iface* ecu, QString name, unsigned index);
    ~Ecu_connector() override;
    Ecu_connector(const Ecu_connector&) = delete;
    Ecu_connector& operator=(const Ecu_connector&) = delete;

    QString get_name() override;
    unsigned get_index() override;
    bool is_valid() const override;
    Ecu_iface* get_ecu() override;
    Ecu_pin_iface& get_pin(unsigned index) override;
    std::vector<std::reference_wrapper<Ecu_pin_iface>> get_pins() override;
    Ecu_pin_analogue_iface& get_pin_analogue_input(unsigned index, QString name) override;
    Ecu_pin_digital_input_iface& get_pin_digital_input(unsigned index, QString name) override;
    Ecu_pin_digital_output_iface& get_pin_digital_output(unsigned index, QString name) override;
    Ecu_pin_encoder_input_iface& get_pin_encoder_input(unsigned index, QString name) override;
    Ecu_pin_pwm_output_iface& get_pin_pwm_output(unsigned index, QString name) override;

    // Ticks every pin, in ascending pin index, outside the ECU's lock. Only
    // the ECU's task ticks.
    void tick();

private:
    // A pin and the library's side of it, found once as it is stored: the
    // tick runs every 10 ms and asks no run-time type query.
    struct Held_pin {
        std::shared_ptr<Ecu_pin_iface> pin;
        Ecu_pin_private_iface* own;
    };

    // The pin under that index, or null.
    std::shared_ptr<Ecu_pin_iface> find_pin(unsigned index);
    template <class Kind>
    Kind& pin_of_kind(unsigned index, Kind& (*invalid)(),
                      const std::function<std::shared_ptr<Ecu_pin_iface>()>& make,
                      const std::function<void(const std::shared_ptr<Ecu_pin_iface>&)>& announce = {});
    // The pin under that index: the one already there, else the new one,
    // which the second member then says was stored.
    std::pair<std::shared_ptr<Ecu_pin_iface>, bool> insert_pin(unsigned index,
                                                               std::shared_ptr<Ecu_pin_iface> pin);
    Ecu_slave_message_iface& slave();
    // Holds the ECU's lock; holds nothing for a connector whose ECU has no
    // lock (the null connector, which never stores a pin).
    std::unique_lock<std::mutex> lock_pins();

    const uint32_t m_index;
    const QString m_name;
    std::map<unsigned, Held_pin> m_pins;
    // The tick's own copy of the pins, kept for its capacity.
    std::vector<Held_pin> m_ticked_pins;
    Ecu_iface* const m_ecu;
    // The ECU's message side, found once; null for an ECU without one.
    Ecu_slave_message_iface* const m_slave;
};

}
