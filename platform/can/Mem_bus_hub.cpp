#include "platform/can/Mem_bus_hub.h"
#include "platform/can/Mem_can_bus.h"

#include <algorithm>
#include <map>

namespace {
// Never destroyed: hubs held by static objects go away after every
// function-local static, and still look themselves up here.
std::mutex& registry_mutex()
{
    static auto* m = new std::mutex;
    return *m;
}
std::map<std::string, std::weak_ptr<Mem_bus_hub>>& registry()
{
    static auto* r = new std::map<std::string, std::weak_ptr<Mem_bus_hub>>;
    return *r;
}
}

std::shared_ptr<Mem_bus_hub> Mem_bus_hub::get(const std::string& name)
{
    std::lock_guard<std::mutex> lock(registry_mutex());
    std::weak_ptr<Mem_bus_hub>& slot = registry()[name];
    std::shared_ptr<Mem_bus_hub> hub = slot.lock();
    if (!hub) {
        hub = std::make_shared<Mem_bus_hub>(name);
        slot = hub;
    }
    return hub;
}

Mem_bus_hub::Mem_bus_hub(std::string name) : name_(std::move(name)) {}

Mem_bus_hub::~Mem_bus_hub()
{
    std::lock_guard<std::mutex> lock(registry_mutex());
    auto it = registry().find(name_);
    if (it != registry().end() && it->second.expired())
        registry().erase(it);
}

void Mem_bus_hub::set_drop_rule(Drop_rule rule)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    drop_ = std::move(rule);
}

void Mem_bus_hub::set_delay(int ms)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    delay_ms_ = std::max(ms, 0);
}

void Mem_bus_hub::set_recording(bool on)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    recording_ = on;
}

std::vector<Can_frame> Mem_bus_hub::recorded() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return recorded_;
}

void Mem_bus_hub::attach(Mem_can_bus* node)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    nodes_.push_back(node);
}

void Mem_bus_hub::detach(Mem_can_bus* node)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    nodes_.erase(std::remove(nodes_.begin(), nodes_.end(), node), nodes_.end());
    for (Pending& p : pending_)
        if (p.sender == node)
            p.sender = nullptr; // still delivered to everyone else
}

void Mem_bus_hub::send(const Mem_can_bus* sender, const Can_frame& frame)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (recording_)
        recorded_.push_back(frame);
    if (drop_ && drop_(frame))
        return;
    // Through the queue even without a delay, so frames keep their order.
    pending_.push_back(Pending{frame, sender, Atime::now() + Rtime(delay_ms_)});
    deliver_due_locked();
}

void Mem_bus_hub::deliver_due()
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    deliver_due_locked();
}

void Mem_bus_hub::deliver_due_locked()
{
    Atime now = Atime::now();
    while (!pending_.empty() && pending_.front().due <= now) {
        Pending p = pending_.front();
        pending_.pop_front();
        fan_out_locked(p.sender, p.frame);
    }
}

void Mem_bus_hub::fan_out_locked(const Mem_can_bus* sender, const Can_frame& frame)
{
    for (Mem_can_bus* node : nodes_)
        if (node != sender)
            node->receive(frame);
}
