#include "tests/support/Simulated_slave_ecu.h"
#include "platform/can/Known_names.h"

namespace {

constexpr int tick_ms = 10;
constexpr unsigned report_ticks = 5;

// Element IDs of an RQ-73.
constexpr unsigned eid_discreet_inputs = 0;
constexpr unsigned eid_relays = 3;
constexpr unsigned eid_device_info = 4080;
constexpr unsigned eid_heartbeat = 0xE00;
constexpr unsigned eid_configuration = 0xF00;

constexpr unsigned command_value = 3;
constexpr unsigned command_time_interval = 4;
constexpr unsigned command_slave_control = 14;
constexpr uint16_t did_polarity = 3;
constexpr uint32_t configuration_clear = 3;

const std::vector<uint8_t> version_request{0x0F, 0x00, 0xFE, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
const std::vector<uint8_t> version_response{0xFE, 0x00, 4, 1, 0, 2, 10, 3};

// The fields of an 8-byte process-data message.
struct Process_data {
    explicit Process_data(const std::vector<uint8_t>& d)
        : command(d[0] & 0x0Fu),
          element_id(unsigned(d[0] >> 4) | unsigned(d[1]) << 4),
          data_id(uint16_t(d[2] | d[3] << 8)),
          value(uint32_t(d[4]) | uint32_t(d[5]) << 8 | uint32_t(d[6]) << 16 | uint32_t(d[7]) << 24)
    {
    }
    unsigned command;
    unsigned element_id;
    uint16_t data_id;
    uint32_t value;
};

}

Simulated_slave_ecu::Simulated_slave_ecu(int identity, uint8_t address)
    : m_identity(identity), m_node(Known_names::get_tessaryn_nextgen_slave(identity), address)
{
}

Simulated_slave_ecu::~Simulated_slave_ecu() { terminate(1, 1000); }

bool Simulated_slave_ecu::start(const std::string& bus_spec)
{
    m_node.set_responder([this](Scripted_slave_node&, const Scripted_slave_node::Frame& frame) { respond(frame); });
    if (!m_node.start(bus_spec))
        return false;
    init(nullptr, nullptr, "SimSlaveEcu", 50, 6144, true, false);
    submit_timeout(m_tick, tick_ms);
    return Diner::start();
}

void Simulated_slave_ecu::set_input_mask(uint32_t mask)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_input_mask = mask;
}

void Simulated_slave_ecu::set_silent(bool silent)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_silent = silent;
}

Simulated_slave_ecu::Seen Simulated_slave_ecu::seen() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_seen;
}

uint64_t Simulated_slave_ecu::get_name() const { return m_node.get_name().get_value(); }

// Every 50 ms its mode; at the controller's interval its inputs.
void Simulated_slave_ecu::handle_timeout(Timeout&)
{
    bool report = false;
    bool inputs = false;
    uint32_t mode = 0;
    uint32_t mask = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_ticks;
        report = m_ticks % report_ticks == 0;
        const unsigned interval_ticks = m_seen.input_interval_ms / tick_ms;
        inputs = interval_ticks != 0 && m_ticks % interval_ticks == 0;
        mode = m_mode;
        mask = m_input_mask;
    }
    if (report)
        send_process_data(eid_device_info, 0, mode);
    if (inputs)
        send_process_data(eid_discreet_inputs, 0, mask);
}

void Simulated_slave_ecu::respond(const Scripted_slave_node::Frame& frame)
{
    if (frame.pgn == Scripted_slave_node::pgn_proprietary_a && frame.data == version_request) {
        send(Scripted_slave_node::pgn_proprietary_a, version_response);
        return;
    }
    if (frame.pgn != Scripted_slave_node::pgn_process_data || frame.data.size() != 8)
        return;
    const Process_data message(frame.data);
    std::unique_lock<std::mutex> lock(m_mutex);
    if (message.command == command_slave_control && message.element_id == eid_heartbeat) {
        ++m_seen.heartbeats;
    } else if (message.command == command_slave_control && message.element_id == eid_configuration) {
        ++m_seen.configuration_steps;
        if (message.value == configuration_clear)
            m_mode = 0;
        else if (message.value != 0)
            m_mode = message.value;
    } else if (message.command == command_value && message.element_id == eid_discreet_inputs &&
               message.data_id == did_polarity) {
        m_seen.polarity = message.value;
    } else if (message.command == command_time_interval && message.element_id == eid_discreet_inputs) {
        m_seen.input_interval_ms = message.value;
    } else if (message.command == command_value && message.element_id == eid_relays) {
        lock.unlock();
        send_process_data(eid_relays, 0, message.value);
    }
}

void Simulated_slave_ecu::send_process_data(unsigned element_id, uint16_t data_id, uint32_t value)
{
    send(Scripted_slave_node::pgn_process_data,
         {uint8_t(command_value | (element_id & 0x0F) << 4), uint8_t(element_id >> 4), uint8_t(data_id),
          uint8_t(data_id >> 8), uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)});
}

void Simulated_slave_ecu::send(uint32_t pgn, const std::vector<uint8_t>& data)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_silent)
            return;
    }
    m_node.send_to(Known_names::get_tessaryn_master(m_identity), pgn, data);
}
