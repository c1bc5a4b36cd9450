#include "platform/iso/Iso_client.h"
#include "platform/can/ZEV_smart_stack.h"

#include <algorithm>

namespace Iso {

Iso_client::Iso_client(ZEV_smart_stack* stack, Working_set_member& member, uint8_t server_function,
                       uint16_t timeout_s, const ZEV_name::RAWNAME& preferred)
    : Iso_client(server_function)
{
    attach(stack, member, timeout_s, preferred);
}

Iso_client::Iso_client(uint8_t server_function) : server_function_(server_function)
{
    for (std::atomic<int64_t>& heard : status_heard_ms_)
        heard = -1;
}

void Iso_client::attach(ZEV_smart_stack* stack, Working_set_member& member, uint16_t timeout_s,
                        const ZEV_name::RAWNAME& preferred)
{
    stack_ = stack;
    member_ = &member;
    timeout_s_ = timeout_s;
    preferred_ = preferred;
}

void Iso_client::set_server_filter(const ZEV_name::NAME& filter)
{
    std::lock_guard<std::mutex> lock(name_mutex_);
    filter_ = filter;
}

ZEV_name::RAWNAME Iso_client::get_server_rawname() const
{
    std::lock_guard<std::mutex> lock(name_mutex_);
    return server_name_;
}

void Iso_client::set_enabled(bool enabled)
{
    if (enabled_.exchange(enabled) == enabled)
        return;
    if (enabled)
        _enable_client();
    else
        _disable_client();
}

void Iso_client::note_server_status(uint8_t address, Atime now)
{
    status_heard_ms_[address] = now.ms();
}

bool Iso_client::server_heard(uint8_t address, Atime now) const
{
    const int64_t heard = status_heard_ms_[address];
    return heard >= 0 && now.ms() - heard < server_timeout_ms();
}

bool Iso_client::any_server_heard(Atime now) const
{
    for (int address = 0; address < 256; ++address)
        if (server_heard(uint8_t(address), now))
            return true;
    return false;
}

std::vector<uint8_t> Iso_client::usable_servers()
{
    std::vector<uint8_t> usable;
    if (!stack_)
        return usable;
    ZEV_name::NAME servers;
    servers.set(ZEV_name::Field::function, server_function_);
    ZEV_name::Host_entry hosts[32];
    const int count = stack_->get_name_manager().gethostsbyname(servers, hosts, 32);
    const Atime now = Atime::now();
    for (int i = 0; i < count; ++i)
        if (server_heard(hosts[i].address, now) && passes(hosts[i].name))
            usable.push_back(hosts[i].address);
    std::sort(usable.begin(), usable.end());
    return usable;
}

uint8_t Iso_client::get_next_server_addr()
{
    const std::vector<uint8_t> usable = usable_servers();
    if (usable.empty())
        return ZEV_trans::ADDRESS_NULL;
    const uint8_t current = server_address_;
    for (uint8_t address : usable)
        if (address > current)
            return address;
    return usable.front();
}

int Iso_client::switch_next_server()
{
    const uint8_t next = get_next_server_addr();
    if (next == ZEV_trans::ADDRESS_NULL || next == server_address_)
        return -1;
    wanted_server_ = next;
    return 0;
}

bool Iso_client::add_client_waiter(waiter_descriptor* waiter)
{
    lock(-1);
    const bool added = client_waiters_.add(waiter);
    unlock();
    return added;
}

bool Iso_client::remove_client_waiter(waiter_descriptor* waiter)
{
    lock(-1);
    const bool removed = client_waiters_.remove(waiter);
    unlock();
    return removed;
}

void Iso_client::post_to_clients(uint32_t code)
{
    lock(-1);
    client_waiters_.post_all(waiter_event{get_module_id(), code, nullptr, nullptr});
    unlock();
}

bool Iso_client::passes(const ZEV_name::RAWNAME& name) const
{
    if (name.get(ZEV_name::Field::function) != server_function_)
        return false;
    std::lock_guard<std::mutex> lock(name_mutex_);
    return filter_.match(name);
}

uint8_t Iso_client::choose_server(Atime now, const std::function<bool(uint8_t)>& usable)
{
    if (!searching_) {
        searching_ = true;
        search_start_ = now;
    }
    ZEV_name::NAME servers;
    servers.set(ZEV_name::Field::function, server_function_);
    ZEV_name::Host_entry hosts[32];
    const int count = stack_->get_name_manager().gethostsbyname(servers, hosts, 32);
    const bool no_preference = preferred_ == ZEV_name::RAWNAME::GLOBAL_NAME;
    const bool waited = now - search_start_ >= Rtime(int64_t(timeout_s_) * 1000);
    uint8_t any = no_server;
    for (int i = 0; i < count; ++i) {
        if (!usable(hosts[i].address))
            continue;
        if (hosts[i].name == preferred_ && hosts[i].name.get(ZEV_name::Field::function) == server_function_)
            return hosts[i].address;
        if (any == no_server && passes(hosts[i].name))
            any = hosts[i].address;
    }
    return no_preference || waited ? any : no_server;
}

void Iso_client::set_server(uint8_t address)
{
    server_address_ = address;
    ZEV_name::RAWNAME name = ZEV_name::RAWNAME::GLOBAL_NAME;
    if (address != no_server && !stack_->get_name_manager().gethostbyaddr(address, name))
        name = ZEV_name::RAWNAME::GLOBAL_NAME;
    std::lock_guard<std::mutex> lock(name_mutex_);
    server_name_ = name;
}

}
