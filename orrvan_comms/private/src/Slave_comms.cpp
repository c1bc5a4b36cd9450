#include "orrvan_comms/private/include/Slave_comms.h"
#include "orrvan_comms/private/include/Ecu_assert.h"
#include "orrvan_comms/private/include/Ecu_common.h"
#include "orrvan_comms/private/legacy/hw/tessaryn_can_client/can_2/Tessaryn_comms_client.h"
#include "platform/can/Known_names.h"
#include "platform/can/ZEV_Connection.h"
#include "platform/rtos/Debug_base.h"

#include <cstdio>
#include <cstdlib>

namespace Next_gen {

namespace {
// The master claims its address in this range on the slave bus.
constexpr int master_address_low = 230, master_address_high = 250;
constexpr int max_hosts = 255;
// Received messages waiting for the ECUs; later ones are dropped. The ECUs
// read every waiting one each tick: only a stalled reader fills the queue.
constexpr size_t incoming_limit = 1000;

unsigned long long value_of(const ZEV_name::RAWNAME& name)
{
    return name.get_value();
}

// Holds the link's task lock for a scope.
class Task_lock {
public:
    explicit Task_lock(const Slave_comms& link) : m_link(link) { m_link.lock(-1); }
    ~Task_lock() { m_link.unlock(); }
    Task_lock(const Task_lock&) = delete;
    Task_lock& operator=(const Task_lock&) = delete;

private:
    const Slave_comms& m_link;
};
}

Slave_comms::Slave_comms() = default;

Slave_comms::~Slave_comms() { close(); }

void Slave_comms::drop_connection()
{
    Task_lock held(*this);
    m_client.reset(); // first: it deregisters from the connection's stack
    m_connection.reset();
}

void Slave_comms::initialise(int slave_id, std::string bus)
{
    close();
    m_slave_id = slave_id;
    m_bus = bus;
    init(Diner_info_list::get(), nullptr, "SlaveComms", 50, 6144, true, false);
    m_initialised = true;
    if (!connect()) {
        Debug_print::dprint("TSlaveComms: no CAN connection on \"%s\"; ending\n", m_bus.c_str());
        std::exit(-1);
    }
    Task_lock held(*this);
    Debug_base::print(DEBUG_MODULE, "master name:0x%llx\n", value_of(m_client->get_master_name()));
    Debug_base::print(DEBUG_MODULE, "slave  name:0x%llx\n", value_of(m_client->get_internal_slave_name()));
}

bool Slave_comms::connect()
{
    get_waiter().flush(); // what an earlier connection's stack posted
    module_man* modules = Diner_info_list::get();
    ZEV_name::NAME master = Known_names::get_tessaryn_master(m_slave_id);
    auto connection = std::make_unique<ZEV::Connection>(master);
    if (!connection->start(false, m_bus.c_str(), modules, &get_waiter(), master_address_low, master_address_high))
        return false;
    ZEV_smart_stack* stack = connection->get_stack();
    auto client = std::make_unique<Tessaryn_comms_client>();
    m_name_module = stack->get_name_module();
    stack->lock(-1);
    m_receive_module = stack->get_receive_module();
    stack->unlock();
    client->init(stack, master, &get_waiter(), m_slave_id);
    Task_lock held(*this);
    m_connection = std::move(connection);
    m_client = std::move(client);
    return true;
}

bool Slave_comms::open()
{
    if (!m_initialised) {
        Debug_base::print(DEBUG_MODULE, "TSlaveComms: open before initialise\n");
        return false;
    }
    if (!m_connection && !connect()) {
        Debug_print::dprint("TSlaveComms: no CAN connection on \"%s\"\n", m_bus.c_str());
        return false;
    }
    m_open = true;
    start();
    return true;
}

bool Slave_comms::close()
{
    terminate(1, 1000); // once closed, no event handler runs any more
    m_open = false;
    drop_connection();
    return true;
}

bool Slave_comms::write_message(const Ecu_comms_message& msg, bool trace)
{
    if (!m_open)
        return false;
    if (trace) {
        std::printf("TSlaveComms: Tx(Ecu:%llx PGN:%x ", static_cast<unsigned long long>(msg.NAME), unsigned(msg.PGN));
        for (uint8_t byte : msg.data)
            std::printf("%02x ", byte);
        std::printf(")\n");
    }
    Task_lock held(*this);
    if (!m_client)
        return false;
    const ZEV_name::RAWNAME addressee = msg.NAME ? ZEV_name::RAWNAME(msg.NAME) : m_client->get_internal_slave_name();
    CAN_packet_interface::Packet packet;
    packet.PGN = msg.PGN;
    for (uint8_t byte : msg.data)
        packet.add_data(byte);
    return m_client->send_packet(&addressee, packet);
}

Ecu_comms_message Slave_comms::read_message()
{
    std::lock_guard<std::mutex> lock(m_incoming_lock);
    ECU_ASSERT(m_incoming.size() > 0);
    Ecu_comms_message oldest = std::move(m_incoming.front());
    m_incoming.pop_front();
    return oldest;
}

int Slave_comms::get_available_message_count() const
{
    std::lock_guard<std::mutex> lock(m_incoming_lock);
    return int(m_incoming.size());
}

void Slave_comms::tick() {}

int Slave_comms::get_slave_id()
{
    return m_slave_id;
}

uint64_t Slave_comms::get_slave_iso_name(uint8_t ecu_type)
{
    Task_lock held(*this);
    if (!m_client)
        return 0;
    return (ecu_type < 4 ? m_client->get_internal_slave_name() : m_client->get_internal_nextgen_slave_name())
        .get_value();
}

std::vector<uint64_t> Slave_comms::get_iso_names() const
{
    std::vector<uint64_t> names;
    Task_lock held(*this);
    if (!m_connection || !m_connection->get_stack())
        return names;
    std::vector<ZEV_name::Host_entry> hosts(max_hosts);
    const int found =
        m_connection->get_stack()->get_name_manager().gethostsbyname(ZEV_name::NAME(), hosts.data(), max_hosts, true);
    for (int i = found - 1; i >= 0; --i)
        names.push_back(hosts[size_t(i)].name.get_value());
    return names;
}

void Slave_comms::diner_start()
{
    Debug_base::print(DEBUG_MODULE, "TSlaveComms::diner_start()\n");
}

void Slave_comms::diner_stop()
{
    Debug_base::print(DEBUG_MODULE, "TSlaveComms::diner_stop()\n");
}

void Slave_comms::handle_event(waiter_event& e)
{
    if (e.module == m_name_module) {
        Task_lock held(*this);
        if (m_client)
            m_client->handle_name_event(e);
    } else if (e.module == m_receive_module) {
        receive(e);
    } else {
        Debug_base::print(DEBUG_MODULE, "TSlaveComms::handle_event  Module:%d Event:%d is unhandled\n", e.module,
                          int(e.code));
    }
}

void Slave_comms::receive(waiter_event& e)
{
    ZEV_name::NAME sender; // 0 when the sender's address is not known
    CAN_packet_interface::Packet packet;
    {
        Task_lock held(*this);
        if (!m_client || !m_client->handle_rx_event(sender, packet, e))
            return; // nothing to read: dropped
    }
    Ecu_comms_message msg;
    msg.NAME = sender.get_value();
    msg.PGN = packet.PGN;
    msg.data.assign(packet.data, packet.data + packet.length);
    std::lock_guard<std::mutex> lock(m_incoming_lock);
    if (m_incoming.size() >= incoming_limit) {
        ++m_dropped;
        Debug_base::print(DEBUG_MODULE, "TSlaveComms: incoming queue full; %lu messages dropped\n", m_dropped);
        return;
    }
    m_incoming.push_back(std::move(msg));
}

void Slave_comms::handle_timeout(Timeout&)
{
    std::printf("TSlaveComms::handle_timeout()\n");
}

}
