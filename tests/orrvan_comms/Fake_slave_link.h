#pragma once
#include "orrvan_comms/include/Ecu_comms_iface.h"
#include "orrvan_comms/include/Ecu_version_info.h"
#include "orrvan_comms/private/include/Ecu_slave_tables.h"
#include "orrvan_comms/private/include/Slave_requests.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/TTessarynMessage.h"

#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

// A slave link with a scripted slave ECU at its far end. Every message the
// controller writes is written down in short form:
//   "version?"                          the version request
//   "<cmd>/<element>/<data id>/<value>" a process-data message, in hexadecimal
// The slave answers the version request with its version and each output
// word with its report of it, at once: the answer waits to be read like a
// received message. Configuration steps put it in a mode (0 after clearing,
// 1 in setup, 2 configured) that it reports in its device information when
// the test calls report() or every 5 ticks of the link, as a real slave
// reports it every few ticks, or at once after each step when told to answer
// at once. Switches make it silent, keep it from confirming outputs, or
// close the link.
class Fake_slave_link : public Next_gen::Ecu_comms_iface {
public:
    using Message = Tessaryn::TTessarynMessage;

    explicit Fake_slave_link(Next_gen::Ecu_version_info version = {4, 1, 0, 2, 10, 3}) : m_version(version) {}

    // Ecu_comms_iface
    void initialise(int slave_id, std::string bus) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_slave_id = slave_id;
        m_bus = std::move(bus);
        ++m_initialised;
    }
    bool open() override { return set_open(true); }
    bool close() override { return set_open(false); }
    bool write_message(const Next_gen::Ecu_comms_message& msg, bool) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_write_attempts;
        if (!m_open)
            return false;
        const std::string text = describe(msg);
        m_written.push_back(text);
        if (!m_silent)
            answer(msg, text);
        return true;
    }
    Next_gen::Ecu_comms_message read_message() override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        Next_gen::Ecu_comms_message message = m_incoming.front();
        m_incoming.pop_front();
        return message;
    }
    int get_available_message_count() const override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return int(m_incoming.size());
    }
    // The slave reports its mode every 5 ticks of the link.
    void tick() override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (++m_ticks % 5 == 0)
            report_locked();
    }
    int get_slave_id() override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_slave_id;
    }
    uint64_t get_slave_iso_name(uint8_t ecu_type) override { return slave_name_of_type(ecu_type); }
    std::vector<uint64_t> get_iso_names() const override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_nodes;
    }

    // The NAME the link gives the slave of a type.
    static uint64_t slave_name_of_type(uint8_t ecu_type) { return 0x5000 + ecu_type; }

    // What the controller wrote since the last call.
    std::vector<std::string> take_written()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::vector<std::string> taken;
        taken.swap(m_written);
        return taken;
    }
    int write_attempts() const { return locked(m_write_attempts); }
    int ticks() const { return locked(m_ticks); }
    int times_initialised() const { return locked(m_initialised); }
    std::string bus() const { return locked(m_bus); }
    bool is_open() const { return locked(m_open); }
    int slave_id() const { return locked(m_slave_id); }

    void set_nodes(std::vector<uint64_t> nodes) { set_locked(m_nodes, std::move(nodes)); }
    // A silent slave answers and reports nothing.
    void set_silent(bool silent) { set_locked(m_silent, silent); }
    void set_confirm_outputs(bool confirm) { set_locked(m_confirm_outputs, confirm); }
    void set_answer_at_once(bool at_once) { set_locked(m_answer_at_once, at_once); }

    // The slave's device information: its mode.
    void report()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        report_locked();
    }
    // A message from the slave, as its process-data answer.
    void receive(unsigned element_id, uint16_t data_id, uint32_t value,
                 Message::eCommand command = Message::VALUE)
    {
        receive_raw(Next_gen::PGN_PROCESS_DATA, process_data_bytes(element_id, data_id, value, command));
    }
    void receive_raw(uint32_t pgn, std::vector<uint8_t> data, uint64_t sender = 0)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_incoming.push_back({sender, pgn, std::move(data)});
    }
    const Next_gen::Ecu_slave_iface& table() const { return m_tables.get_table(m_version.ecu_type); }

    // Short forms of what the controller sends.
    static std::string process_data(unsigned command, unsigned element_id, unsigned data_id, uint32_t value)
    {
        char text[64];
        std::snprintf(text, sizeof text, "%X/%X/%X/%X", command, element_id, data_id, value);
        return text;
    }
    static std::string heartbeat() { return process_data(14, 0xE00, 0, 0); }
    static std::string configuration(uint32_t value) { return process_data(14, 0xF00, 0, value); }
    std::string clear_error_comms() const { return process_data(3, table().get_eid_comms(), 0, 0); }
    std::string polarity(uint32_t word) const { return process_data(3, table().get_eid_discreet_inputs(), 3, word); }
    std::string input_interval(uint32_t ms) const
    {
        return process_data(4, table().get_eid_discreet_inputs(), 0, ms);
    }
    std::string outputs(uint32_t word) const { return process_data(3, table().get_eid_relays(), 0, word); }

private:
    template <class T>
    T locked(const T& field) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return field;
    }
    template <class T>
    void set_locked(T& field, T value)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        field = std::move(value);
    }
    void report_locked()
    {
        if (!m_silent)
            push(table().get_eid_device_info(), 0, m_mode);
    }
    static std::vector<uint8_t> process_data_bytes(unsigned element_id, uint16_t data_id, uint32_t value,
                                                   Message::eCommand command)
    {
        Message message;
        message.setElementID(uint16_t(element_id));
        message.setDataID(data_id);
        message.setCommand(command);
        message.setValue(value);
        return message.getData();
    }
    bool set_open(bool open)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_open = open;
        return true;
    }

    static std::string describe(const Next_gen::Ecu_comms_message& msg)
    {
        if (msg.PGN == Next_gen::PGN_PROPRIETARY_A && msg.data == Next_gen::Slave_requests::get_version())
            return "version?";
        if (msg.PGN != Next_gen::PGN_PROCESS_DATA || msg.data.size() != Message::size)
            return "unexpected PGN " + std::to_string(msg.PGN);
        const Message message(msg.data);
        return process_data(message.getCommand(), message.getElementID(), message.getDataID(), message.getValue());
    }

    void answer(const Next_gen::Ecu_comms_message& msg, const std::string& text)
    {
        if (text == "version?") {
            m_incoming.push_back({0, Next_gen::PGN_PROPRIETARY_A,
                                  {0xFE, 0x00, m_version.ecu_type, m_version.ecu_series, m_version.ecu_firmware_type,
                                   m_version.major, m_version.minor, m_version.patch}});
            return;
        }
        if (msg.PGN != Next_gen::PGN_PROCESS_DATA)
            return;
        const Message message(msg.data);
        if (message.isCommand(Message::SLAVE_CONTROL) && message.getElementID() == 0xF00)
            configure(message.getValue());
        else if (m_confirm_outputs && message.isCommand(Message::VALUE) &&
                 message.getElementID() == table().get_eid_relays())
            push(table().get_eid_relays(), 0, message.getValue());
    }

    void configure(uint32_t step)
    {
        constexpr uint32_t clear = 3;
        if (step == clear)
            m_mode = 0;
        else if (step != 0)
            m_mode = step;
        if (m_answer_at_once)
            report_locked();
    }

    void push(unsigned element_id, uint16_t data_id, uint32_t value)
    {
        m_incoming.push_back(
            {0, Next_gen::PGN_PROCESS_DATA, process_data_bytes(element_id, data_id, value, Message::VALUE)});
    }

    const Next_gen::Ecu_version_info m_version;
    const Next_gen::Ecu_slave_tables m_tables;
    mutable std::mutex m_mutex;
    bool m_open = true;
    bool m_silent = false;
    bool m_confirm_outputs = true;
    bool m_answer_at_once = false;
    uint32_t m_mode = 0;
    int m_slave_id = -1;
    std::string m_bus;
    int m_initialised = 0;
    int m_write_attempts = 0;
    int m_ticks = 0;
    std::vector<uint64_t> m_nodes;
    std::vector<std::string> m_written;
    std::deque<Next_gen::Ecu_comms_message> m_incoming;
};
