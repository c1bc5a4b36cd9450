#pragma once
#include "tests/support/Scripted_slave_node.h"

#include "platform/rtos/Diner.h"
#include "platform/rtos/Timeout.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

// A next-generation slave ECU (an RQ-73) on a CAN bus, as the controller
// meets it, on the real clock. It answers the version request with its
// version and each output word with its report of it; configuration steps
// put it in a mode (0 after clearing, 1 in setup, 2 configured) that it
// reports in its device information every 50 ms; once the controller has set
// a digital-input interval it sends its input mask at that interval. It
// keeps the polarity word, the interval and a count of the heartbeats, and
// can fall silent.
class Simulated_slave_ecu : private Diner {
public:
    struct Seen {
        uint32_t polarity = 0xFFFFFFFF;
        uint32_t input_interval_ms = 0;
        int heartbeats = 0;
        int configuration_steps = 0;
    };

    // The slave of that identity; the controller's master NAME of the same
    // identity is where it sends.
    Simulated_slave_ecu(int identity, uint8_t address);
    ~Simulated_slave_ecu() override;

    // Joins the bus and starts reporting; true once its address holds.
    bool start(const std::string& bus_spec);
    void set_input_mask(uint32_t mask);
    void set_silent(bool silent);
    Seen seen() const;
    uint64_t get_name() const;

private:
    void handle_timeout(Timeout& timeout) override;
    void respond(const Scripted_slave_node::Frame& frame);
    void send_process_data(unsigned element_id, uint16_t data_id, uint32_t value);
    void send(uint32_t pgn, const std::vector<uint8_t>& data);

    const int m_identity;
    Timeout m_tick{true};
    mutable std::mutex m_mutex;
    bool m_silent = false;
    uint32_t m_mode = 0;
    uint32_t m_input_mask = 0;
    unsigned m_ticks = 0;
    Seen m_seen;
    // Last: it goes first, and with it the task that runs respond().
    Scripted_slave_node m_node;
};
