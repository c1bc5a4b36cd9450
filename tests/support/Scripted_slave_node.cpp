#include "tests/support/Scripted_slave_node.h"

#include <chrono>

Scripted_slave_node::Scripted_slave_node(const ZEV_name::NAME& name, uint8_t address)
    : m_name(name), m_address(address), m_connection(name)
{
}

Scripted_slave_node::~Scripted_slave_node()
{
    terminate(1, 1000);
    m_connection.stop();
}

bool Scripted_slave_node::start(const std::string& bus_spec)
{
    init(nullptr, nullptr, "SlaveNode", 50, 6144, true, false);
    if (!m_connection.start(true, bus_spec.c_str(), nullptr, &get_waiter(), m_address, m_address))
        return false;
    for (uint32_t pgn : {pgn_proprietary_a, pgn_process_data})
        get_stack().register_pgn(pgn, &get_waiter(), nullptr, ZEV_stack::PGN_DATA);
    return Diner::start();
}

void Scripted_slave_node::set_responder(Responder responder)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_responder = std::move(responder);
}

bool Scripted_slave_node::send(uint8_t destination, uint32_t pgn, const std::vector<uint8_t>& data, uint8_t priority)
{
    const ZEV_header header(m_address, destination, pgn, priority, 7, uint32_t(data.size()));
    return get_stack().write_now(header, data.data()) == 0;
}

bool Scripted_slave_node::send_to(const ZEV_name::NAME& pattern, uint32_t pgn, const std::vector<uint8_t>& data)
{
    const uint8_t destination = get_stack().get_name_manager().gethostbyname(pattern);
    return destination != ZEV_trans::ADDRESS_NULL && send(destination, pgn, data);
}

bool Scripted_slave_node::wait_for_frames(size_t count, int timeout_ms)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_arrived.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] { return m_frames.size() >= count; });
}

std::vector<Scripted_slave_node::Frame> Scripted_slave_node::frames() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_frames;
}

void Scripted_slave_node::clear_frames()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_frames.clear();
}

void Scripted_slave_node::handle_event(waiter_event& e)
{
    if (e.module != get_stack().get_receive_module())
        return;
    Frame frame;
    frame.data.resize(8);
    ZEV_header header;
    const int read = get_stack().read(e.code, header, frame.data.data(), int(frame.data.size()), &get_waiter(),
                                      ZEV_stack::PGN_DATA);
    if (read < 0)
        return;
    frame.data.resize(size_t(read));
    frame.source = header.get_source();
    frame.pgn = header.get_pgn();
    frame.priority = header.get_priority();
    Responder responder;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_frames.push_back(frame);
        responder = m_responder;
    }
    m_arrived.notify_all();
    if (responder)
        responder(*this, frame);
}
