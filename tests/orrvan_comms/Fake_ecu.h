#pragma once
#include "orrvan_comms/include/Ecu_iface.h"
#include "orrvan_comms/private/include/Ecu_block_controller.h"
#include "orrvan_comms/private/include/Ecu_common.h"
#include "orrvan_comms/private/include/Ecu_connector.h"
#include "orrvan_comms/private/include/Ecu_null_objects.h"
#include "orrvan_comms/private/include/Ecu_slave_message_iface.h"
#include "orrvan_comms/private/include/Ecu_slave_tables.h"

#include <QString>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// An ECU as its connectors and pins see it: the model tables of its type,
// input indexes handed out in order of first request, a pin map, and every
// request written down as text instead of being sent. Only what connectors
// and pins use does anything.
class Fake_ecu : public Next_gen::Ecu_iface, public Next_gen::Ecu_slave_message_iface {
public:
    explicit Fake_ecu(Next_gen::Ecu_type type = 4) : m_type(type), m_status(this) {}

    // Connector i is named "Chan i+1".
    Next_gen::Ecu_connector& add_connector()
    {
        const unsigned index = unsigned(m_connectors.size());
        m_connectors.push_back(std::make_unique<Next_gen::Ecu_connector>(
            this, QString("Chan %1").arg(index + 1), index));
        return *m_connectors.back();
    }
    void drop_connectors() { m_connectors.clear(); }

    std::vector<std::string> take_requests()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        std::vector<std::string> taken;
        taken.swap(m_requests);
        return taken;
    }
    std::shared_ptr<Next_gen::Ecu_pin_iface> pin_at_input(uint16_t input_index)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        const auto found = m_pin_map.find(input_index);
        return found == m_pin_map.end() ? nullptr : found->second;
    }
    const Next_gen::Ecu_slave_iface& table() const { return m_tables.get_table(m_type); }

    // Ecu_slave_message_iface
    unsigned get_input_index(uint16_t element_id, uint16_t which) override
    {
        std::lock_guard<std::mutex> lock(m_lock);
        const uint32_t key = uint32_t(element_id) << 16 | which;
        for (size_t i = 0; i < m_input_keys.size(); ++i)
            if (m_input_keys[i] == key)
                return unsigned(i);
        m_input_keys.push_back(key);
        return unsigned(m_input_keys.size() - 1);
    }
    unsigned get_adc_eid(unsigned connector, unsigned pin) override { return table().get_adc_eid(connector, pin); }
    unsigned get_encoder_eid(unsigned connector, unsigned pin) override
    {
        return table().get_encoder_eid(connector, pin);
    }
    unsigned get_digital_input_bit(unsigned connector, unsigned pin) override
    {
        return table().get_digital_input_bit(connector, pin);
    }
    unsigned get_digital_output_bit(unsigned connector, unsigned pin) override
    {
        return table().get_digital_output_bit(connector, pin);
    }
    void set_digital_output(unsigned connector, unsigned pin, Next_gen::Digital_output_value value) override
    {
        record("set_digital_output(" + std::to_string(connector) + "," + std::to_string(pin) + "," +
               std::to_string(unsigned(value)) + ")");
    }
    void set_digital_input_polarity(unsigned connector, unsigned pin, bool active_high) override
    {
        record("set_digital_input_polarity(" + std::to_string(connector) + "," + std::to_string(pin) + "," +
               (active_high ? "high" : "low") + ")");
    }
    void update_pin_map(uint16_t input_index, std::shared_ptr<Next_gen::Ecu_pin_iface> pin) override
    {
        record("update_pin_map(" + std::to_string(input_index) + ")");
        std::lock_guard<std::mutex> lock(m_lock);
        m_pin_map[input_index] = std::move(pin);
    }
    bool send_message_block_probe(uint16_t element_id, uint16_t kind, uint16_t input_index) override
    {
        return record("block_probe(" + std::to_string(element_id) + "," + std::to_string(kind) + "," +
                      std::to_string(input_index) + ")");
    }
    bool send_message_probe_time_interval(uint16_t input_index, uint32_t ms) override
    {
        return record("probe_time_interval(" + std::to_string(input_index) + "," + std::to_string(ms) + ")");
    }
    bool send_message_analogue_probe(uint16_t element_id, uint16_t input_index) override
    {
        return send_message_block_probe(element_id, 0, input_index);
    }
    bool send_message_encoder_period_probe(uint16_t element_id, uint16_t input_index) override
    {
        return send_message_block_probe(element_id, 0, input_index);
    }
    bool send_message_encoder_pulse_count_probe(uint16_t element_id, uint16_t input_index) override
    {
        return send_message_block_probe(element_id, 1, input_index);
    }
    bool send_message_encoder_period_time_interval(uint16_t input_index, uint32_t ms) override
    {
        return send_message_probe_time_interval(input_index, ms);
    }
    bool send_message_encoder_pulse_count_time_interval(uint16_t input_index, uint32_t ms) override
    {
        return send_message_probe_time_interval(input_index, ms);
    }
    bool send_message_request_device_config() override { return record("request_device_config"); }
    bool send_message_clear_config() override { return record("clear_config"); }
    bool send_message_setup_mode() override { return record("setup_mode"); }
    bool send_message_configured() override { return record("configured"); }
    bool send_message_get_version() override { return record("get_version"); }
    bool send_message_set_digital_input_polarity() override { return record("set_digital_input_polarity"); }
    bool send_message_set_digital_input_time_interval(uint32_t ms) override
    {
        return record("set_digital_input_time_interval(" + std::to_string(ms) + ")");
    }
    bool send_message_poll_digital_inputs() override { return record("poll_digital_inputs"); }
    bool send_message_set_digital_on_change_mask() override { return record("set_digital_on_change_mask"); }
    bool send_message_set_digital_on_change_threshold() override
    {
        return record("set_digital_on_change_threshold");
    }
    bool send_message_set_digital_output() override { return record("set_digital_output"); }
    bool send_message_clear_error_comms() override { return record("clear_error_comms"); }
    std::mutex& get_lock() override { return m_lock; }

    // Ecu_iface: what connectors and pins never use stays inert.
    void initialise() override {}
    void finalise() override {}
    bool is_valid() const override { return true; }
    uint64_t get_iso_name() const override { return 0x1234; }
    Next_gen::Observable_iface<Next_gen::Ecu_iface, Next_gen::Ecu_status>& get_status() override { return m_status; }
    QString get_firmware_version() const override { return QString(); }
    QString get_hardware_description() const override { return QString(); }
    QString get_serial_number() const override { return QString(); }
    void identify(bool) override {}
    bool is_legacy() const override { return false; }
    Next_gen::Ecu_type get_ecu_type() const override { return m_type; }
    std::vector<std::reference_wrapper<Next_gen::Ecu_fault_iface>> get_all_supported_faults() const override
    {
        return {};
    }
    void power_cycle() override {}
    Next_gen::Ecu_connector_iface& get_connector(unsigned index) override
    {
        return index < m_connectors.size() ? *m_connectors[index] : Next_gen::get_ecu_connector_invalid();
    }
    const Next_gen::Ecu_connector_iface& get_connector(unsigned index) const override
    {
        return index < m_connectors.size() ? *m_connectors[index] : Next_gen::get_ecu_connector_invalid();
    }
    std::vector<std::reference_wrapper<Next_gen::Ecu_connector_iface>> get_connectors() const override
    {
        return {};
    }
    Next_gen::Ecu_block_control_iface& get_block_controller() override { return m_blocks; }
    std::shared_ptr<Next_gen::Ecu_prop_control_algorithm_block_iface> get_prop_control_algorithm_block() override
    {
        return nullptr;
    }
    std::shared_ptr<Next_gen::Ecu_reg_control_algorithm_block_iface> get_reg_control_algorithm_block() override
    {
        return nullptr;
    }
    std::shared_ptr<Next_gen::Ecu_input_pin_block_iface> get_pin_block(Next_gen::Ecu_pin_analogue_iface&) override
    {
        return nullptr;
    }
    std::shared_ptr<Next_gen::Ecu_input_pin_block_iface> get_pin_block(
        Next_gen::Ecu_pin_encoder_input_iface&) override
    {
        return nullptr;
    }
    std::shared_ptr<Next_gen::Ecu_output_pin_block_iface> get_pin_block(Next_gen::Ecu_pin_pwm_output_iface&) override
    {
        return nullptr;
    }

private:
    bool record(std::string request)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_requests.push_back(std::move(request));
        return true;
    }

    const Next_gen::Ecu_type m_type;
    Next_gen::Ecu_slave_tables m_tables;
    Next_gen::Observable_impl<Next_gen::Ecu_iface, Next_gen::Ecu_status> m_status;
    Next_gen::Ecu_block_controller m_blocks;
    std::mutex m_lock;
    std::vector<std::string> m_requests;
    std::vector<uint32_t> m_input_keys;
    std::map<uint16_t, std::shared_ptr<Next_gen::Ecu_pin_iface>> m_pin_map;
    // Declared last: connectors go first, while the ECU they point to is whole.
    std::vector<std::unique_ptr<Next_gen::Ecu_connector>> m_connectors;
};

// An RQ-73 ECU with its connectors Chan 1 to Chan 3.
struct Rq73_ecu_fixture : ::testing::Test {
    Fake_ecu ecu{4};
    Next_gen::Ecu_connector& chan1 = ecu.add_connector();
    Next_gen::Ecu_connector& chan2 = ecu.add_connector();
    Next_gen::Ecu_connector& chan3 = ecu.add_connector();
};
