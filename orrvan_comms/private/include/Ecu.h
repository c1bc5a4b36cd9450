#pragma once
#include "orrvan_comms/include/Ecu_comms_iface.h"
#include "orrvan_comms/include/Ecu_iface.h"
#include "orrvan_comms/include/Ecu_version_info.h"
#include "orrvan_comms/private/include/Ecu_block_controller.h"
#include "orrvan_comms/private/include/Ecu_common.h"
#include "orrvan_comms/private/include/Ecu_connector.h"
#include "orrvan_comms/private/include/Ecu_fault_list.h"
#include "orrvan_comms/private/include/Ecu_slave_message_iface.h"
#include "orrvan_comms/private/include/Ecu_slave_tables.h"
#include "orrvan_comms/private/include/Slave_message_decoder.h"
#include "orrvan_comms/private/include/Slave_response_iface.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/TTessarynMessage.h"

#include <QString>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace Next_gen {

// State of the configuration handshake with the slave: 0 asks for the
// version, 2, 4 and 6 send the configuration steps, 1, 3, 5 and 7 wait for
// the slave's answers, 8 sends the input polarity and 9 runs.
using Slave_state = uint32_t;

// One slave ECU on the slave link. Its tick, every 10 ms on the manager's
// task, handles every message that waits, sends at most one queued request
// while the slave runs, sends a heartbeat every 50 ticks, runs the
// configuration handshake, polls the version every 1000 ticks and ticks the
// connectors. A tick with nothing to receive or send allocates no memory.
//
// Fail safe: while the status is not 1 (running) every digital input reads
// inactive, whatever the slave last reported.
//
// Clients create pins and set outputs from their own threads while the task
// ticks: one lock guards the send queue, input indexes, pin map, output and
// polarity words, the version and the connectors with their pins. The tick
// takes what it needs under the lock and calls pins, observables and the
// link outside it. The handshake's state is the task's alone.
class Ecu : public Ecu_iface, public Ecu_slave_message_iface, private Slave_response_iface {
public:
    // Requests waiting for the running state; further ones are refused.
    static constexpr size_t tx_queue_limit = 256;

    // comms may be null (the null ECU): requests then stay unsent.
    Ecu(Ecu_comms_iface* comms, uint64_t name, Ecu_version_info version, bool version_fixed);
    ~Ecu() override;
    Ecu(const Ecu&) = delete;
    Ecu& operator=(const Ecu&) = delete;

    // Ecu_iface
    // Creates the connectors "Chan 1" to "Chan 3" on an RQ-73, "Chan 1" to
    // "Chan 6" on any other model.
    void initialise() override;
    // Lets go of the connectors and faults; pins still held elsewhere do
    // nothing from then on.
    void finalise() override;
    bool is_valid() const override;
    uint64_t get_iso_name() const override;
    Observable_iface<Ecu_iface, Ecu_status>& get_status() override;
    QString get_firmware_version() const override;
    QString get_hardware_description() const override;
    QString get_serial_number() const override;
    void identify(bool on) override;
    bool is_legacy() const override;
    Ecu_type get_ecu_type() const override;
    std::vector<std::reference_wrapper<Ecu_fault_iface>> get_all_supported_faults() const override;
    void power_cycle() override;
    Ecu_connector_iface& get_connector(unsigned index) override;
    const Ecu_connector_iface& get_connector(unsigned index) const override;
    std::vector<std::reference_wrapper<Ecu_connector_iface>> get_connectors() const override;
    Ecu_block_control_iface& get_block_controller() override;
    std::shared_ptr<Ecu_prop_control_algorithm_block_iface> get_prop_control_algorithm_block() override;
    std::shared_ptr<Ecu_reg_control_algorithm_block_iface> get_reg_control_algorithm_block() override;
    std::shared_ptr<Ecu_input_pin_block_iface> get_pin_block(Ecu_pin_analogue_iface& pin) override;
    std::shared_ptr<Ecu_input_pin_block_iface> get_pin_block(Ecu_pin_encoder_input_iface& pin) override;
    std::shared_ptr<Ecu_output_pin_block_iface> get_pin_block(Ecu_pin_pwm_output_iface& pin) override;

    // Ecu_slave_message_iface
    unsigned get_input_index(uint16_t element_id, uint16_t which) override;
    unsigned get_adc_eid(unsigned connector, unsigned pin) override;
    unsigned get_encoder_eid(unsigned connector, unsigned pin) override;
    unsigned get_digital_input_bit(unsigned connector, unsigned pin) override;
    unsigned get_digital_output_bit(unsigned connector, unsigned pin) override;
    void set_digital_output(unsigned connector, unsigned pin, Digital_output_value value) override;
    void set_digital_input_polarity(unsigned connector, unsigned pin, bool active_high) override;
    void update_pin_map(uint16_t input_index, std::shared_ptr<Ecu_pin_iface> pin) override;
    bool send_message_block_probe(uint16_t element_id, uint16_t kind, uint16_t input_index) override;
    bool send_message_probe_time_interval(uint16_t input_index, uint32_t ms) override;
    bool send_message_analogue_probe(uint16_t element_id, uint16_t input_index) override;
    bool send_message_encoder_period_probe(uint16_t element_id, uint16_t input_index) override;
    bool send_message_encoder_pulse_count_probe(uint16_t element_id, uint16_t input_index) override;
    bool send_message_encoder_period_time_interval(uint16_t input_index, uint32_t ms) override;
    bool send_message_encoder_pulse_count_time_interval(uint16_t input_index, uint32_t ms) override;
    bool send_message_request_device_config() override;
    bool send_message_clear_config() override;
    bool send_message_setup_mode() override;
    bool send_message_configured() override;
    bool send_message_get_version() override;
    bool send_message_set_digital_input_polarity() override;
    bool send_message_set_digital_input_time_interval(uint32_t ms) override;
    bool send_message_poll_digital_inputs() override;
    bool send_message_set_digital_on_change_mask() override;
    bool send_message_set_digital_on_change_threshold() override;
    bool send_message_set_digital_output() override;
    bool send_message_clear_error_comms() override;
    std::mutex& get_lock() override;

    // One 10 ms step, on the manager's task.
    void tick();
    // The new connector's index is the number of connectors before it.
    void add_connector(QString name);
    // Returns the new category's index.
    int add_fault_category(QString name, unsigned id);
    void add_fault(int category_index, QString name, unsigned id);
    void set_fault_status(unsigned id, bool active);

private:
    using Message = Tessaryn::TTessarynMessage;

    // Slave_response_iface: what the decoder found in a received message.
    const Ecu_slave_iface& get_slave_table() override;
    void device_info_received(uint32_t value) override;
    void discreet_inputs_received(uint32_t mask) override;
    void relays_received(uint32_t output_word) override;
    std::shared_ptr<Ecu_pin_iface> get_input_pin(uint16_t input_index) override;
    void version_received(const Ecu_version_info& version) override;

    void receive();
    void transmit();
    // Going out of the running state, the inputs fall inactive.
    void set_status(Ecu_status status);
    // Every digital-input pin takes its bit of the mask.
    void route_discreet_inputs(uint32_t mask);
    // The requested state takes effect on the next state-machine tick.
    void set_slave_state(Slave_state state);
    void state_machine_tick();
    void state_action(bool entering);
    void send_message_heartbeat();
    // Queues the output word when the slave has not confirmed it.
    void sync_digital_output_state();
    void sync_digital_output_state_locked();
    bool send_message(const Message& message, bool trace);
    // False when the queue is full: the request is refused and counted.
    bool queue_locked(const Message& message);
    // Queues the request that make builds from the model table.
    template <class Make>
    bool queue_request(Make make);
    // The connectors as they are now, held for use outside the lock.
    std::vector<std::shared_ptr<Ecu_connector>> held_connectors() const;
    const Ecu_slave_iface& table_locked() const;
    using Table_question = unsigned (Ecu_slave_iface::*)(unsigned connector, unsigned pin) const;
    // The model table's answer for a connector's pin.
    unsigned ask_table(Table_question question, unsigned connector, unsigned pin);
    void debug_print_value(const QString& label, unsigned value) const;
    void debug_print_value(const QString& label, const QString& value) const;

    std::atomic<bool> m_identify{false};
    const bool m_version_fixed;
    Ecu_type m_ecu_type;
    uint32_t m_output_state = 0x3FFFF;
    uint32_t m_reported_outputs = 0;
    uint32_t m_input_polarity = 0xFFFFFFFF;
    int32_t m_state_timer;
    int32_t m_comms_timeout;
    const Ecu_version_info m_spi_version;
    Ecu_version_info m_version;
    Slave_state m_slave_state = 0;
    Slave_state m_next_slave_state = 0;
    // One per ECU, so that with several ECUs each one gets its heartbeats.
    uint32_t m_tick_counter = 0;
    Ecu_comms_iface* const m_comms;
    const uint64_t m_name;
    Observable_impl<Ecu_iface, Ecu_status> m_status;
    Ecu_fault_list m_faults;
    Ecu_block_controller m_block_controller;
    mutable std::mutex m_lock;
    std::map<uint16_t, std::shared_ptr<Ecu_pin_iface>> m_pin_map;
    std::deque<Message> m_tx_queue;
    unsigned long m_tx_refused = 0;
    std::vector<uint32_t> m_input_keys;
    const Ecu_slave_tables m_slave_tables;
    Slave_message_decoder m_decoder;
    // The tick's own copy of the connectors, kept for its capacity.
    std::vector<std::shared_ptr<Ecu_connector>> m_ticked_connectors;
    // Last: connectors go first, while the ECU their pins reach is whole.
    std::vector<std::shared_ptr<Ecu_connector>> m_connectors;
};

}
