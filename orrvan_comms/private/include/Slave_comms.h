#pragma once
#include "orrvan_comms/include/Ecu_comms_iface.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/Diner_protection.h"

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

class Tessaryn_comms_client;
namespace ZEV {
class Connection;
}

namespace Next_gen {

// The slave link over CAN: a connection to the slave bus, the CAN client that
// knows the slaves' addresses, and the task "SlaveComms" that takes the
// stack's events and queues the slaves' messages until the ECU objects read
// them on the "EcuManager" task. The queue is bounded: what comes while it
// is full is dropped and counted on the library's debug channel.
//
// The task lock (Diner_protection) serialises the client between the two
// tasks: name and receive events change its tables on "SlaveComms" while
// write_message looks addresses up on "EcuManager".
class Slave_comms : public Ecu_comms_iface, public Diner_protection<Diner> {
public:
    Slave_comms();
    ~Slave_comms() override;

    // Starts the connection as the master NAME for slave_id and registers the
    // client; the task is set up but not running until open. A connection
    // that cannot start ends the process with exit code -1. Again: the link
    // is closed first, and then starts anew.
    void initialise(int slave_id, std::string bus) override;
    // Starts the task; after close, first a new connection and client (false
    // when the connection cannot start again).
    bool open() override;
    // Ends the task and lets go of the client and the connection.
    bool close() override;
    // To msg.NAME, or to this link's legacy slave NAME when that is 0. False
    // while closed or when the client cannot send.
    bool write_message(const Ecu_comms_message& msg, bool trace) override;
    // The queue must not be empty: check get_available_message_count first.
    Ecu_comms_message read_message() override;
    int get_available_message_count() const override;
    void tick() override;
    int get_slave_id() override;
    uint64_t get_slave_iso_name(uint8_t ecu_type) override;
    std::vector<uint64_t> get_iso_names() const override;

protected:
    void diner_start() override;
    void diner_stop() override;
    void handle_event(waiter_event& e) override;
    void handle_timeout(Timeout& t) override;

private:
    void receive(waiter_event& e);
    // A connection as the master NAME on the bus and a client on it; false
    // when the connection cannot start.
    bool connect();
    void drop_connection();

    mutable std::mutex m_incoming_lock;
    std::atomic<bool> m_open{false};
    bool m_initialised = false;
    int m_slave_id = -1;
    std::string m_bus;
    std::deque<Ecu_comms_message> m_incoming;
    unsigned long m_dropped = 0; // under the incoming lock
    std::unique_ptr<ZEV::Connection> m_connection;
    // Declared after the connection so that it goes first: it leaves the
    // connection's stack as it ends.
    std::unique_ptr<Tessaryn_comms_client> m_client;
    int16_t m_name_module = -1;
    int16_t m_receive_module = -1;
};

}
