#pragma once
#include "platform/can/ZEV_Connection.h"
#include "platform/can/ZEV_name_NAME.h"
#include "platform/rtos/Diner.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// A slave ECU's node on a CAN bus, for tests on the real clock: it claims its
// NAME at a fixed address on its own connection, keeps every frame that
// reaches it on the slave PGNs (0xEF00 and 0xCB00), and answers through a
// responder on its own task. Claims take the process's claim delay: set a
// short one (Name_manager::set_claim_delay) to keep tests quick.
class Scripted_slave_node : private Diner {
public:
    struct Frame {
        uint8_t source = 0;
        uint32_t pgn = 0;
        uint8_t priority = 0;
        std::vector<uint8_t> data;
    };
    // Runs on the node's task for each frame, after it is kept.
    using Responder = std::function<void(Scripted_slave_node& node, const Frame& frame)>;

    static constexpr uint32_t pgn_proprietary_a = 0xEF00;
    static constexpr uint32_t pgn_process_data = 0xCB00;

    Scripted_slave_node(const ZEV_name::NAME& name, uint8_t address);
    ~Scripted_slave_node() override;

    // Joins the bus of the spec ("mem,name=X" in unit tests) and claims the
    // address; true once the claim holds.
    bool start(const std::string& bus_spec);
    void set_responder(Responder responder);

    // One frame from this node's address; false when it cannot go.
    bool send(uint8_t destination, uint32_t pgn, const std::vector<uint8_t>& data, uint8_t priority = 6);
    // To the node that holds a NAME matching the pattern; false when none is known.
    bool send_to(const ZEV_name::NAME& pattern, uint32_t pgn, const std::vector<uint8_t>& data);

    // Waits until at least count frames have arrived; false after timeout_ms.
    bool wait_for_frames(size_t count, int timeout_ms = 10000);
    std::vector<Frame> frames() const;
    void clear_frames();

    const ZEV_name::NAME& get_name() const { return m_name; }
    uint8_t get_address() const { return m_address; }
    ZEV_smart_stack& get_stack() { return *m_connection.get_stack(); }

private:
    void handle_event(waiter_event& e) override;

    const ZEV_name::NAME m_name;
    const uint8_t m_address;
    ZEV::Connection m_connection;
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<Frame> m_frames;
    Responder m_responder;
};
