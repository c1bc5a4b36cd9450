#include "orrvan_comms/private/include/Ecu.h"
#include "orrvan_comms/private/include/Ecu_block_analogue.h"
#include "orrvan_comms/private/include/Ecu_block_encoder.h"
#include "orrvan_comms/private/include/Ecu_block_pwm.h"
#include "orrvan_comms/private/include/Ecu_null_objects.h"
#include "orrvan_comms/private/include/Ecu_pin_value_private_iface.h"
#include "orrvan_comms/private/include/Ecu_prop_control_algorithm_block.h"
#include "orrvan_comms/private/include/Ecu_reg_control_algorithm_block.h"
#include "orrvan_comms/private/include/Slave_requests.h"
#include "platform/rtos/Debug_base.h"

#include <cstdio>

namespace Next_gen {

namespace {

// Ticks without any message from the slave before its link counts as lost,
// and ticks a waiting state of the handshake waits for the slave's answer.
constexpr int32_t comms_loss_ticks = 200;
constexpr int32_t state_wait_ticks = 200;
constexpr uint32_t heartbeat_ticks = 50;
constexpr uint32_t version_poll_ticks = 1000;

// State 0 starts the handshake; a lost slave goes back to it.
constexpr Slave_state state_start = 0;
constexpr Slave_state state_running = 9;
constexpr Ecu_status status_running = 1;
// Models up to this type run no handshake.
constexpr Ecu_type last_unconfigured_type = 3;
constexpr Ecu_type rq73_type = 4;

constexpr uint32_t device_info_setup_mode = 1;
constexpr uint32_t device_info_configured = 2;

// A new block, which the controller holds too.
template <class Block, class... Pin>
std::shared_ptr<Block> new_block(Ecu_block_controller& controller, Pin&... pin)
{
    auto block = std::make_shared<Block>(pin...);
    controller.add_block(block);
    return block;
}

// Sets a two-bit field of a word; a field beyond the word changes nothing.
uint32_t with_field(uint32_t word, unsigned shift, uint32_t value)
{
    if (shift > 30)
        return word;
    return (word & ~(3u << shift)) | ((value & 3u) << shift);
}

}

Ecu::Ecu(Ecu_comms_iface* comms, uint64_t name, Ecu_version_info version, bool version_fixed)
    : m_version_fixed(version_fixed),
      m_ecu_type(version.ecu_type),
      m_state_timer(state_wait_ticks),
      m_comms_timeout(comms_loss_ticks),
      m_spi_version(version),
      m_version(version),
      m_comms(comms),
      m_name(name),
      m_status(this),
      m_faults(name),
      m_decoder(name, *this)
{
    m_status.set_value(0);
}

Ecu::~Ecu() = default;

template <class Make>
bool Ecu::queue_request(Make make)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return queue_locked(make(table_locked()));
}

void Ecu::initialise()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_pin_map.clear();
    }
    const int count = m_spi_version.ecu_type == rq73_type ? 3 : 6;
    for (int i = 1; i <= count; ++i)
        add_connector(QString("Chan %1").arg(i));
}

void Ecu::finalise()
{
    std::vector<std::shared_ptr<Ecu_connector>> connectors;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        connectors.swap(m_connectors);
    }
    // Released outside the lock: the pins that go with them may hold
    // observers, whose release runs code of the client's.
    connectors.clear();
    m_faults.clear();
}

bool Ecu::is_valid() const { return true; }
uint64_t Ecu::get_iso_name() const { return m_name; }
Observable_iface<Ecu_iface, Ecu_status>& Ecu::get_status() { return m_status; }

QString Ecu::get_firmware_version() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return QString("%1.%2.%3").arg(m_version.major).arg(m_version.minor).arg(m_version.patch);
}

QString Ecu::get_hardware_description() const
{
    static const char* const models[] = {"RQ-71 S1", "TV-56", "RQ-71 S2", "RQ-73", "DV-18", "GX-5", "GX-7", "LB-9"};
    const Ecu_type type = get_ecu_type();
    if (type >= 1 && type <= 8)
        return models[type - 1];
    return QString("Unknown (%1)").arg(type & 0xFF);
}

QString Ecu::get_serial_number() const { return "TODO: Fetch from EEPROM"; }

void Ecu::identify(bool on)
{
    m_identify = on;
    Debug_base::print(DEBUG_MODULE, "Ecu::%llx identify(%d)\n", static_cast<unsigned long long>(m_name), on);
}

bool Ecu::is_legacy() const { return m_spi_version.ecu_type == 1; }

Ecu_type Ecu::get_ecu_type() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_ecu_type;
}

std::vector<std::reference_wrapper<Ecu_fault_iface>> Ecu::get_all_supported_faults() const
{
    return m_faults.get_all_supported_faults();
}

void Ecu::power_cycle() {}

Ecu_connector_iface& Ecu::get_connector(unsigned index)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (index < m_connectors.size())
        return *m_connectors[index];
    return get_ecu_connector_invalid();
}

const Ecu_connector_iface& Ecu::get_connector(unsigned index) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (index < m_connectors.size())
        return *m_connectors[index];
    return get_ecu_connector_invalid();
}

std::vector<std::reference_wrapper<Ecu_connector_iface>> Ecu::get_connectors() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    std::vector<std::reference_wrapper<Ecu_connector_iface>> connectors;
    for (const auto& connector : m_connectors)
        connectors.emplace_back(*connector);
    return connectors;
}

Ecu_block_control_iface& Ecu::get_block_controller() { return m_block_controller; }

std::shared_ptr<Ecu_prop_control_algorithm_block_iface> Ecu::get_prop_control_algorithm_block()
{
    return new_block<Ecu_prop_control_algorithm_block>(m_block_controller);
}

std::shared_ptr<Ecu_reg_control_algorithm_block_iface> Ecu::get_reg_control_algorithm_block()
{
    return new_block<Ecu_reg_control_algorithm_block>(m_block_controller);
}

std::shared_ptr<Ecu_input_pin_block_iface> Ecu::get_pin_block(Ecu_pin_analogue_iface& pin)
{
    return new_block<Ecu_block_analogue>(m_block_controller, pin);
}

std::shared_ptr<Ecu_input_pin_block_iface> Ecu::get_pin_block(Ecu_pin_encoder_input_iface& pin)
{
    return new_block<Ecu_block_encoder>(m_block_controller, pin);
}

std::shared_ptr<Ecu_output_pin_block_iface> Ecu::get_pin_block(Ecu_pin_pwm_output_iface& pin)
{
    return new_block<Ecu_block_pwm>(m_block_controller, pin);
}

unsigned Ecu::get_input_index(uint16_t element_id, uint16_t which)
{
    const uint32_t key = uint32_t(element_id) << 16 | which;
    std::lock_guard<std::mutex> lock(m_lock);
    for (size_t i = 0; i < m_input_keys.size(); ++i)
        if (m_input_keys[i] == key)
            return unsigned(i);
    m_input_keys.push_back(key);
    return unsigned(m_input_keys.size() - 1);
}

unsigned Ecu::get_adc_eid(unsigned connector, unsigned pin)
{
    return ask_table(&Ecu_slave_iface::get_adc_eid, connector, pin);
}

unsigned Ecu::get_encoder_eid(unsigned connector, unsigned pin)
{
    return ask_table(&Ecu_slave_iface::get_encoder_eid, connector, pin);
}

unsigned Ecu::get_digital_input_bit(unsigned connector, unsigned pin)
{
    return ask_table(&Ecu_slave_iface::get_digital_input_bit, connector, pin);
}

unsigned Ecu::get_digital_output_bit(unsigned connector, unsigned pin)
{
    return ask_table(&Ecu_slave_iface::get_digital_output_bit, connector, pin);
}

void Ecu::set_digital_output(unsigned connector, unsigned pin, Digital_output_value value)
{
    std::lock_guard<std::mutex> lock(m_lock);
    const unsigned bit = table_locked().get_digital_output_bit(connector, pin);
    m_output_state = with_field(m_output_state, bit, uint32_t(value));
    sync_digital_output_state_locked();
}

// Each input has a two-bit field: 3 until set, 1 active high, 0 active low.
void Ecu::set_digital_input_polarity(unsigned connector, unsigned pin, bool active_high)
{
    std::lock_guard<std::mutex> lock(m_lock);
    const unsigned shift = 2 * table_locked().get_digital_input_bit(connector, pin);
    m_input_polarity = with_field(m_input_polarity, shift, active_high ? 1 : 0);
    queue_locked(Slave_requests::set_digital_input_polarity(m_name, table_locked(), m_input_polarity));
}

void Ecu::update_pin_map(uint16_t input_index, std::shared_ptr<Ecu_pin_iface> pin)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_pin_map[input_index] = std::move(pin);
}

bool Ecu::send_message_block_probe(uint16_t element_id, uint16_t kind, uint16_t input_index)
{
    return queue_request([&](const Ecu_slave_iface& table) {
        return Slave_requests::block_probe(m_name, table, element_id, kind, input_index);
    });
}

bool Ecu::send_message_probe_time_interval(uint16_t input_index, uint32_t ms)
{
    return queue_request([&](const Ecu_slave_iface& table) {
        return Slave_requests::probe_time_interval(m_name, table, input_index, ms);
    });
}

bool Ecu::send_message_analogue_probe(uint16_t element_id, uint16_t input_index)
{
    return send_message_block_probe(element_id, 0, input_index);
}

bool Ecu::send_message_encoder_period_probe(uint16_t element_id, uint16_t input_index)
{
    return send_message_block_probe(element_id, 0, input_index);
}

bool Ecu::send_message_encoder_pulse_count_probe(uint16_t element_id, uint16_t input_index)
{
    return send_message_block_probe(element_id, 1, input_index);
}

bool Ecu::send_message_encoder_period_time_interval(uint16_t input_index, uint32_t ms)
{
    return send_message_probe_time_interval(input_index, ms);
}

bool Ecu::send_message_encoder_pulse_count_time_interval(uint16_t input_index, uint32_t ms)
{
    return send_message_probe_time_interval(input_index, ms);
}

bool Ecu::send_message_request_device_config()
{
    return send_message(Slave_requests::request_device_config(m_name), false);
}

bool Ecu::send_message_clear_config() { return send_message(Slave_requests::clear_config(m_name), false); }
bool Ecu::send_message_setup_mode() { return send_message(Slave_requests::setup_mode(m_name), false); }
bool Ecu::send_message_configured() { return send_message(Slave_requests::configured(m_name), false); }

bool Ecu::send_message_get_version()
{
    if (!m_comms)
        return false;
    return m_comms->write_message({m_name, PGN_PROPRIETARY_A, Slave_requests::get_version()}, false);
}

bool Ecu::send_message_set_digital_input_polarity()
{
    return queue_request([&](const Ecu_slave_iface& table) {
        return Slave_requests::set_digital_input_polarity(m_name, table, m_input_polarity);
    });
}

bool Ecu::send_message_set_digital_input_time_interval(uint32_t ms)
{
    return queue_request([&](const Ecu_slave_iface& table) {
        return Slave_requests::set_digital_input_time_interval(m_name, table, ms);
    });
}

bool Ecu::send_message_poll_digital_inputs()
{
    return queue_request([&](const Ecu_slave_iface& table) {
        return Slave_requests::poll_digital_inputs(m_name, table);
    });
}

bool Ecu::send_message_set_digital_on_change_mask()
{
    return queue_request([&](const Ecu_slave_iface& table) {
        return Slave_requests::set_digital_on_change_mask(m_name, table);
    });
}

bool Ecu::send_message_set_digital_on_change_threshold()
{
    return queue_request([&](const Ecu_slave_iface& table) {
        return Slave_requests::set_digital_on_change_threshold(m_name, table);
    });
}

bool Ecu::send_message_set_digital_output()
{
    return queue_request([&](const Ecu_slave_iface& table) {
        return Slave_requests::set_digital_output(m_name, table, m_output_state);
    });
}

bool Ecu::send_message_clear_error_comms()
{
    Message message;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        message = Slave_requests::clear_error_comms(m_name, table_locked());
    }
    return send_message(message, false);
}

std::mutex& Ecu::get_lock() { return m_lock; }

void Ecu::tick()
{
    ++m_tick_counter;
    m_status.tick();
    m_faults.tick();
    if (m_comms) {
        receive();
        transmit();
        if (m_tick_counter % heartbeat_ticks == 0) {
            send_message_heartbeat();
            if (m_slave_state == state_running)
                sync_digital_output_state();
        }
        state_machine_tick();
        if (m_tick_counter % version_poll_ticks == 0 && m_slave_state == state_running)
            send_message_get_version();
    }
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_ticked_connectors.assign(m_connectors.begin(), m_connectors.end());
    }
    for (const auto& connector : m_ticked_connectors)
        connector->tick();
    m_ticked_connectors.clear();
}

void Ecu::add_connector(QString name)
{
    std::lock_guard<std::mutex> lock(m_lock);
    const unsigned index = unsigned(m_connectors.size());
    m_connectors.push_back(std::make_shared<Ecu_connector>(this, std::move(name), index));
}

int Ecu::add_fault_category(QString name, unsigned id) { return m_faults.add_fault_category(std::move(name), id); }

void Ecu::add_fault(int category_index, QString name, unsigned id)
{
    m_faults.add_fault(category_index, std::move(name), id);
}

void Ecu::set_fault_status(unsigned id, bool active) { m_faults.set_fault_status(id, active); }

const Ecu_slave_iface& Ecu::get_slave_table()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return table_locked();
}

// An answer counts for the state that waits for it, also while that state is
// still to be entered: a slave may answer in the tick after the request.
void Ecu::device_info_received(uint32_t value)
{
    const Slave_state waiting = m_next_slave_state;
    if (waiting == 1 || waiting == 3)
        set_slave_state(waiting + 1);
    else if (waiting == 5 && value == device_info_setup_mode)
        set_slave_state(6);
    else if (waiting == 7 && value == device_info_configured)
        set_slave_state(8);
}

void Ecu::discreet_inputs_received(uint32_t mask)
{
    route_discreet_inputs(m_status.get_value() == status_running ? mask : 0);
}

void Ecu::route_discreet_inputs(uint32_t mask)
{
    // Pins stay on their connector as long as it lives, and these are held.
    for (const auto& connector : held_connectors()) {
        for (Ecu_pin_iface& pin : connector->get_pins()) {
            if (pin.get_pin_type() != Ecu_pin_type::digital_input)
                continue;
            const unsigned bit = get_digital_input_bit(connector->get_index(), pin.get_index());
            const bool level = bit < 32 && (mask & (1u << bit)) != 0;
            if (auto* value = dynamic_cast<Ecu_pin_value_private_iface<bool>*>(&pin))
                value->set_pin_value(level);
        }
    }
}

void Ecu::relays_received(uint32_t output_word)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_reported_outputs = output_word;
}

std::shared_ptr<Ecu_pin_iface> Ecu::get_input_pin(uint16_t input_index)
{
    std::lock_guard<std::mutex> lock(m_lock);
    const auto found = m_pin_map.find(input_index);
    return found == m_pin_map.end() ? nullptr : found->second;
}

void Ecu::version_received(const Ecu_version_info& version)
{
    Ecu_version_info current;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (!m_version_fixed) {
            m_version = version;
            m_ecu_type = version.ecu_type;
        }
        current = m_version;
    }
    debug_print_value("EcuType :", current.ecu_type);
    debug_print_value("HwRev   :", current.ecu_series);
    debug_print_value("FwType  :", current.ecu_firmware_type);
    debug_print_value("FwMajor :", current.major);
    debug_print_value("FwMinor :", current.minor);
    debug_print_value("FwPatch :", current.patch);
    debug_print_value("Firmware  Version:", get_firmware_version());
    debug_print_value("Hardware Platform:", get_hardware_description() + "\n");
    if (m_next_slave_state == 1) // as for the device information
        set_slave_state(2);
}

// Every message that waits, so that a burst leaves no lag behind it; only
// those, so that a flood cannot hold the tick. Any message at all shows the
// slave is there.
void Ecu::receive()
{
    int waiting = m_comms->get_available_message_count();
    if (waiting == 0) {
        if (m_comms_timeout > 0 && --m_comms_timeout == 0)
            set_slave_state(state_start);
        return;
    }
    m_comms_timeout = comms_loss_ticks;
    for (; waiting > 0; --waiting) {
        const Ecu_comms_message message = m_comms->read_message();
        m_decoder.decode(message.PGN, message.data);
    }
}

// Queued requests wait for the running state, then leave one per tick. One
// that the link does not take stays first in line for the next tick: clients
// only append, and only this task takes from the front.
void Ecu::transmit()
{
    if (m_slave_state != state_running)
        return;
    std::unique_lock<std::mutex> lock(m_lock);
    if (m_tx_queue.empty())
        return;
    const Message message = m_tx_queue.front();
    lock.unlock();
    if (!send_message(message, false))
        return;
    lock.lock();
    m_tx_queue.pop_front();
}

void Ecu::set_slave_state(Slave_state state) { m_next_slave_state = state; }

// Models up to type 3 run no handshake. One that reports such a type while
// it runs still falls back to state 0 when it is lost, and stays there.
void Ecu::state_machine_tick()
{
    const bool handshakes = get_ecu_type() > last_unconfigured_type;
    if (m_next_slave_state != m_slave_state && (handshakes || m_next_slave_state == state_start)) {
        std::printf("TEcu::%llx SlaveState %u->%u\n", static_cast<unsigned long long>(m_name), m_slave_state,
                    m_next_slave_state);
        std::fflush(stdout);
        m_state_timer = state_wait_ticks;
        m_slave_state = m_next_slave_state;
        if (handshakes)
            state_action(true);
        else
            set_status(0);
        return;
    }
    if (handshakes)
        state_action(false);
}

// A sending state moves on once its request is written, and sends again on
// the next tick when it was not. A waiting state gives up after its time.
void Ecu::state_action(bool entering)
{
    switch (m_slave_state) {
    case state_start:
        set_status(0);
        send_message_clear_error_comms();
        if (send_message_get_version())
            set_slave_state(1);
        return;
    case 1:
    case 3:
    case 5:
    case 7:
        if (--m_state_timer == 0 && !entering)
            set_slave_state(state_start);
        return;
    case 2:
        if (send_message_clear_config())
            set_slave_state(3);
        return;
    case 4:
        if (send_message_setup_mode())
            set_slave_state(5);
        return;
    case 6:
        if (send_message_configured())
            set_slave_state(7);
        return;
    case 8:
        send_message_set_digital_input_polarity();
        set_slave_state(state_running);
        return;
    case state_running:
        set_status(status_running);
        return;
    default:
        return;
    }
}

void Ecu::set_status(Ecu_status status)
{
    const bool was_running = m_status.get_value() == status_running;
    m_status.set_value(status);
    if (was_running && status != status_running)
        route_discreet_inputs(0);
}

void Ecu::send_message_heartbeat() { send_message(Slave_requests::heartbeat(m_name), false); }

void Ecu::sync_digital_output_state()
{
    std::lock_guard<std::mutex> lock(m_lock);
    sync_digital_output_state_locked();
}

void Ecu::sync_digital_output_state_locked()
{
    if (m_output_state != m_reported_outputs)
        queue_locked(Slave_requests::set_digital_output(m_name, table_locked(), m_output_state));
}

// The message goes to the ECU's own NAME, whatever device name it carries.
bool Ecu::send_message(const Message& message, bool trace)
{
    if (!m_comms)
        return false;
    return m_comms->write_message({m_name, PGN_PROCESS_DATA, message.getData()}, trace);
}

bool Ecu::queue_locked(const Message& message)
{
    if (m_tx_queue.size() >= tx_queue_limit) {
        ++m_tx_refused;
        Debug_base::print(DEBUG_MODULE, "TEcu::%llx send queue full; %lu requests refused\n",
                          static_cast<unsigned long long>(m_name), m_tx_refused);
        return false;
    }
    m_tx_queue.push_back(message);
    return true;
}

std::vector<std::shared_ptr<Ecu_connector>> Ecu::held_connectors() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_connectors;
}

const Ecu_slave_iface& Ecu::table_locked() const { return m_slave_tables.get_table(m_ecu_type); }

unsigned Ecu::ask_table(Table_question question, unsigned connector, unsigned pin)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return (table_locked().*question)(connector, pin);
}

void Ecu::debug_print_value(const QString& label, unsigned value) const
{
    Debug_base::print(DEBUG_MODULE, "TEcu::%llx %s %u\n", static_cast<unsigned long long>(m_name),
                      label.toUtf8().constData(), value);
}

void Ecu::debug_print_value(const QString& label, const QString& value) const
{
    Debug_base::print(DEBUG_MODULE, "TEcu::%llx %s %s\n", static_cast<unsigned long long>(m_name),
                      label.toUtf8().constData(), value.toUtf8().constData());
}

}
