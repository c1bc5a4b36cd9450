#pragma once
#include "orrvan_comms/private/legacy/hw/tessaryn_can_client/can_2/CAN_packet_interface.h"
#include "platform/can/ZEV_name_Listen_node.h"
#include "platform/can/ZEV_name_NAME.h"

#include <cstdint>
#include <list>
#include <map>

class ZEV_smart_stack;
class waiter_descriptor;
struct waiter_event;

// The CAN side of the slave link, on one stack: watches the address claims of
// the slave ECUs and a few other known nodes, keeps which NAME holds which
// address, reads the slaves' 8-byte messages (PGNs 0xEF00 and 0xCB00) and
// sends 8-byte messages to a slave by NAME. Every stack event goes to the
// owner's waiter, which hands name events to handle_name_event and received
// messages to handle_rx_event. The tables have no lock: the owner serialises
// the calls.
class Tessaryn_comms_client : public CAN_packet_interface {
public:
    static constexpr uint32_t pgn_proprietary_a = 0xEF00;
    static constexpr uint32_t pgn_process_data = 0xCB00;

    // A watched NAME (with its match fields) and its listener on the stack.
    class Name_node : public ZEV_name::NAME {
    public:
        Name_node(const ZEV_name::NAME& name, const ZEV_name::Listen_node* listener)
            : ZEV_name::NAME(name), m_listener(listener)
        {
        }
        const ZEV_name::Listen_node* get_listener() const { return m_listener; }

    private:
        const ZEV_name::Listen_node* m_listener;
    };

    Tessaryn_comms_client() = default;
    ~Tessaryn_comms_client() override; // leaves the stack: PGNs and listeners
    Tessaryn_comms_client(const Tessaryn_comms_client&) = delete;
    Tessaryn_comms_client& operator=(const Tessaryn_comms_client&) = delete;

    // Watches the master and the known NAMEs and registers the slave PGNs, all
    // for the waiter. Waits for the master NAME's claim to settle when it is
    // still claiming (the stack's task must run).
    void init(ZEV_smart_stack* zev_stack, ZEV_name::RAWNAME& master, waiter_descriptor* waiter, int slave_id);

    void handle_name_event(waiter_event& e);
    void process_address(const uint8_t& address);
    // Reads the message the event announces into the packet; name becomes the
    // sender's NAME when its address is known. False when nothing was read.
    bool handle_rx_event(ZEV_name::RAWNAME& name, CAN_packet_interface::Packet& packet, waiter_event& e);
    // All eight data bytes go out, whatever the packet's length. False when
    // name is null, the NAME has no known address, this node holds no address
    // yet or the stack refuses.
    bool send_packet(const void* name, CAN_packet_interface::Packet& packet) override;

    // The slave NAMEs with the slave id as identity number.
    ZEV_name::RAWNAME get_internal_slave_name() const;
    ZEV_name::RAWNAME get_internal_nextgen_slave_name() const;
    const ZEV_name::NAME& get_master_name() const { return m_master_name; }

    bool ecu_detected(const ZEV_name::RAWNAME& name) const;
    unsigned get_num_detected_ecus() const { return unsigned(m_address_table.size()); }
    // Walk the detected NAMEs in address order; null at the end.
    const ZEV_name::RAWNAME* get_first_detected_ecu();
    const ZEV_name::RAWNAME* get_next_detected_ecu();
    // Makes the stack forget the detected nodes until they claim again.
    void clear_remote_ecu_names();

private:
    // Deregisters the PGNs and removes the listeners; empties the tables.
    void release();
    ZEV_name::RAWNAME internal_name(const ZEV_name::NAME& pattern) const;

    int16_t m_registration_id = 0;
    ZEV_smart_stack* m_zev_stack = nullptr;
    ZEV_name::NAME m_master_name;
    waiter_descriptor* m_waiter = nullptr;
    int m_slave_id = -1;
    const ZEV_name::Listen_node* m_master_listener = nullptr;
    std::list<Name_node> m_name_nodes;
    std::map<uint8_t, ZEV_name::RAWNAME> m_address_table;
    std::map<ZEV_name::RAWNAME, uint8_t> m_name_table;
    std::map<uint8_t, ZEV_name::RAWNAME>::const_iterator m_cursor = m_address_table.end();
};
