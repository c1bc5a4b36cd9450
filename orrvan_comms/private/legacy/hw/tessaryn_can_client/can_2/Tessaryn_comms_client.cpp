#include "orrvan_comms/private/legacy/hw/tessaryn_can_client/can_2/Tessaryn_comms_client.h"
#include "orrvan_comms/private/include/Ecu_assert.h"
#include "platform/can/Known_names.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/io/Binary_message.h"

#include <algorithm>
#include <vector>

namespace {
constexpr int max_hosts = 255;
constexpr int pgn_type = ZEV_stack::PGN_DATA;
constexpr uint8_t transmission_type = 7;
constexpr unsigned identity_bits = 21;
}

Tessaryn_comms_client::~Tessaryn_comms_client()
{
    release();
}

void Tessaryn_comms_client::release()
{
    if (m_zev_stack) {
        m_zev_stack->deregister_pgn(pgn_proprietary_a, m_waiter, pgn_type);
        m_zev_stack->deregister_pgn(pgn_process_data, m_waiter, pgn_type);
        ZEV_name::Listeners& listeners = m_zev_stack->get_listeners();
        if (m_master_listener)
            listeners.Remove(m_master_listener);
        for (const Name_node& node : m_name_nodes)
            listeners.Remove(node.get_listener());
    }
    m_master_listener = nullptr;
    m_name_nodes.clear();
    m_address_table.clear();
    m_name_table.clear();
    m_cursor = m_address_table.end();
}

void Tessaryn_comms_client::init(ZEV_smart_stack* zev_stack, ZEV_name::RAWNAME& master, waiter_descriptor* waiter,
                                 int slave_id)
{
    ECU_ASSERT(zev_stack);
    ECU_ASSERT(waiter);
    release(); // a second init must not leave the first one's listeners behind
    m_zev_stack = zev_stack;
    m_master_name = ZEV_name::NAME(master);
    m_waiter = waiter;
    m_slave_id = slave_id;

    ZEV_name::Listeners& listeners = zev_stack->get_listeners();
    m_master_listener = listeners.Add(m_master_name, waiter);
    zev_stack->wait_for_name(waiter, m_master_name, true);

    for (const ZEV_name::NAME& name :
         {Known_names::get_tessaryn_slave(-1), Known_names::get_tessaryn_nextgen_slave(-1),
          Known_names::get_tessaryn_io(), Known_names::get_kelpro_cannode(0), Known_names::get_vantoor_commlinkz(0)})
        m_name_nodes.emplace_back(name, listeners.Add(name, waiter));

    zev_stack->register_pgn(pgn_proprietary_a, waiter, &m_registration_id, pgn_type);
    zev_stack->register_pgn(pgn_process_data, waiter, &m_registration_id, pgn_type);
}

void Tessaryn_comms_client::handle_name_event(waiter_event& e)
{
    if (!m_zev_stack)
        return;
    ZEV_name::Name_manager& names = m_zev_stack->get_name_manager();
    ZEV_name::NAME watched;
    // Only a listener's event names a pattern; the claim of the master's own
    // address (code 0) has nothing to refresh.
    if (!names.get_event_name(e, watched))
        return;
    std::vector<ZEV_name::Host_entry> hosts(max_hosts);
    const int found = names.gethostsbyname(watched, hosts.data(), max_hosts, true);
    for (int i = found - 1; i >= 0; --i)
        process_address(hosts[size_t(i)].address);
}

void Tessaryn_comms_client::process_address(const uint8_t& address)
{
    ZEV_name::RAWNAME name;
    if (!m_zev_stack || !m_zev_stack->get_name_manager().gethostbyaddr(address, name, false))
        return;
    auto held = m_address_table.find(address);
    if (held != m_address_table.end() && held->second != name) {
        // The address changed hands: the NAME that held it is no longer
        // there, and its messages must not go to the newcomer.
        auto old = m_name_table.find(held->second);
        if (old != m_name_table.end() && old->second == address)
            m_name_table.erase(old);
    }
    m_address_table[address] = name;
    m_name_table[name] = address;
}

bool Tessaryn_comms_client::handle_rx_event(ZEV_name::RAWNAME& name, CAN_packet_interface::Packet& packet,
                                            waiter_event& e)
{
    if (!m_zev_stack)
        return false;
    ZEV_header header;
    const int read = m_zev_stack->read(e.code, header, packet.data, Packet::size, m_waiter, pgn_type);
    if (read < 0)
        return false;
    packet.PGN = header.get_pgn();
    packet.priority = header.get_priority();
    // Never more than was read into the eight bytes.
    packet.length = std::min({int(header.get_length()), read, Packet::size});
    auto sender = m_address_table.find(header.get_source());
    if (sender != m_address_table.end())
        name = sender->second;
    return true;
}

bool Tessaryn_comms_client::send_packet(const void* name, CAN_packet_interface::Packet& packet)
{
    if (!name || !m_zev_stack)
        return false;
    const uint8_t source = m_zev_stack->get_name_manager().gethostbyname(m_master_name, false);
    auto destination = m_name_table.find(*static_cast<const ZEV_name::RAWNAME*>(name));
    if (source == ZEV_trans::ADDRESS_NULL || destination == m_name_table.end())
        return false;
    const ZEV_header header(source, destination->second, packet.PGN, uint8_t(packet.priority), transmission_type,
                            Packet::size, 0);
    return m_zev_stack->write_now(header, packet.data) == 0;
}

ZEV_name::RAWNAME Tessaryn_comms_client::internal_name(const ZEV_name::NAME& pattern) const
{
    ZEV_name::RAWNAME name(pattern);
    Binary_message::set_bits_lsb(name.get_bytes(), 0, identity_bits, uint64_t(uint32_t(m_slave_id)));
    return name;
}

ZEV_name::RAWNAME Tessaryn_comms_client::get_internal_slave_name() const
{
    return internal_name(Known_names::get_tessaryn_slave(-1));
}

ZEV_name::RAWNAME Tessaryn_comms_client::get_internal_nextgen_slave_name() const
{
    return internal_name(Known_names::get_tessaryn_nextgen_slave(-1));
}

bool Tessaryn_comms_client::ecu_detected(const ZEV_name::RAWNAME& name) const
{
    return std::any_of(m_address_table.begin(), m_address_table.end(),
                       [&](const auto& entry) { return entry.second == name; });
}

const ZEV_name::RAWNAME* Tessaryn_comms_client::get_first_detected_ecu()
{
    m_cursor = m_address_table.begin();
    return get_next_detected_ecu();
}

const ZEV_name::RAWNAME* Tessaryn_comms_client::get_next_detected_ecu()
{
    if (m_cursor == m_address_table.end())
        return nullptr;
    return &(m_cursor++)->second;
}

void Tessaryn_comms_client::clear_remote_ecu_names()
{
    if (m_zev_stack)
        for (const auto& entry : m_address_table)
            m_zev_stack->get_name_manager().del_remote_name(entry.second);
    m_address_table.clear();
    m_cursor = m_address_table.end();
}
