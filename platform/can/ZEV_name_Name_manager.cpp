#include "platform/can/ZEV_name_Name_manager.h"
#include "platform/can/ZEV_link.h"
#include "platform/io/Binary_message.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/waiter_descriptor.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

namespace ZEV_name {

namespace {
constexpr uint32_t pgn_address_claimed = 0xEE00;
constexpr uint32_t pgn_request = 0xEA00;
constexpr uint8_t claim_priority = 6;
std::atomic<int> claim_delay_ms{Name_manager::standard_claim_delay_ms};

bool holds(Claim_state s, bool claimed_only)
{
    return s == Claim_state::claimed || (!claimed_only && s == Claim_state::claiming);
}

unsigned long long value_of(const RAWNAME& name)
{
    return name.get_value();
}
}

Name_manager::Name_manager(ZEV_link& link) : link_(link) {}

Name_manager::~Name_manager() = default;

void Name_manager::set_claim_delay(int ms)
{
    claim_delay_ms = std::max(ms, 0);
}

void Name_manager::start()
{
    // A request for address claim from the null address: every node answers
    // with its claim, so nodes already on the bus become known.
    uint8_t data[3];
    Binary_message::set_uint24_le(data, pgn_address_claimed);
    link_.send_frame(ZEV_header(ZEV_trans::ADDRESS_NULL, ZEV_trans::ADDR_BROADCAST, pgn_request, claim_priority, 0, 3),
                     data);
}

bool Name_manager::add_local_name(const NAME& name, uint8_t preferred, waiter_descriptor* waiter, int low, int high)
{
    if (preferred >= ZEV_trans::ADDRESS_ALL) {
        Debug_print::dprint("ZEV: address %u cannot be claimed (254 and 255 never can)\n", preferred);
        return false;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& l : locals_)
        if (l->name == name) {
            Debug_print::dprint("ZEV: NAME %016llX is already one of this node's\n", value_of(name));
            return false;
        }
    std::unique_ptr<Local> local(new Local(name, preferred, waiter));
    if (low >= 0 && high >= low) {
        local->low = uint8_t(std::min(low, ZEV_trans::ADDRESS_ALL - 1));
        local->high = uint8_t(std::min(high, ZEV_trans::ADDRESS_ALL - 1));
    } else if (name.get(Field::self_configurable)) {
        local->low = dynamic_low;
        local->high = dynamic_high;
    }
    Local& l = *local;
    locals_.push_back(std::move(local));
    if (!pick_address(l, preferred, -1))
        cannot_claim(l);
    else if (l.address != preferred)
        Debug_print::dprint("Address %u is held by %s; claiming %u\n", preferred, holder_of(preferred).c_str(),
                            l.address);
    return l.state == Claim_state::claiming;
}

Claim_state Name_manager::get_claim_state(const RAWNAME& name) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& l : locals_)
        if (l->name == name)
            return l->state;
    return Claim_state::none;
}

Name_manager::Local* Name_manager::local_at(uint8_t address)
{
    for (auto& l : locals_)
        if (l->address == address && holds(l->state, false))
            return l.get();
    return nullptr;
}

const Name_manager::Local* Name_manager::local_named(const NAME& pattern, bool claimed_only) const
{
    for (auto& l : locals_)
        if (pattern.match(l->name) && holds(l->state, claimed_only))
            return l.get();
    return nullptr;
}

bool Name_manager::known(const NAME& pattern) const
{
    if (local_named(pattern, true))
        return true;
    for (auto& r : remotes_)
        if (pattern.match(r.second))
            return true;
    return false;
}

bool Name_manager::address_free_for(uint8_t address, const Local& local) const
{
    for (auto& l : locals_)
        if (l.get() != &local && l->address == address && holds(l->state, false))
            return false;
    auto it = remotes_.find(address);
    return it == remotes_.end() || local.name < it->second; // a higher NAME would give way to us
}

bool Name_manager::pick_address(Local& local, uint8_t first, int avoid)
{
    std::vector<int> order{first};
    if (local.name.get(Field::self_configurable)) {
        int span = local.high - local.low + 1;
        for (int k = 1; k <= span; ++k)
            order.push_back(local.low + ((first - local.low + k) % span + span) % span);
    }
    for (int a : order)
        if (a != avoid && a < ZEV_trans::ADDRESS_ALL && address_free_for(uint8_t(a), local)) {
            claim(local, uint8_t(a));
            return true;
        }
    return false;
}

std::string Name_manager::holder_of(uint8_t address) const
{
    char text[40];
    auto it = remotes_.find(address);
    if (it != remotes_.end())
        std::snprintf(text, sizeof text, "NAME %016llX", value_of(it->second));
    else
        std::snprintf(text, sizeof text, "another NAME of this node");
    return text;
}

void Name_manager::claim(Local& local, uint8_t address)
{
    auto it = remotes_.find(address);
    if (it != remotes_.end()) { // it has a higher NAME and will move
        RAWNAME other = it->second;
        remotes_.erase(it);
        changed(other, false);
    }
    local.address = address;
    local.state = Claim_state::claiming;
    send_claim(address, local.name);
    link_.arm(local.timer, claim_delay_ms);
}

void Name_manager::send_claim(uint8_t source, const RAWNAME& name)
{
    link_.send_frame(ZEV_header(source, ZEV_trans::ADDR_BROADCAST, pgn_address_claimed, claim_priority, 0, 8),
                     name.get_bytes());
}

void Name_manager::lose(Local& local, const RAWNAME& winner)
{
    bool had = local.state == Claim_state::claimed;
    uint8_t old = local.address;
    if (!local.name.get(Field::self_configurable) || !pick_address(local, old, old)) {
        Debug_print::dprint("Address %u lost to NAME %016llX; no other address can be claimed\n", old,
                            value_of(winner));
        cannot_claim(local);
        return;
    }
    Debug_print::dprint("Address %u lost to NAME %016llX; now %u\n", old, value_of(winner), local.address);
    if (had) {
        if (local.waiter)
            link_.post_name_event(local.waiter, 0);
        changed(local.name, false);
    }
}

void Name_manager::cannot_claim(Local& local)
{
    bool had = local.state == Claim_state::claimed;
    link_.disarm(local.timer);
    local.address = ZEV_trans::ADDRESS_NULL;
    local.state = Claim_state::cannot_claim;
    send_claim(ZEV_trans::ADDRESS_NULL, local.name);
    Debug_print::dprint("ZEV: NAME %016llX cannot claim an address\n", value_of(local.name));
    if (local.waiter)
        link_.post_name_event(local.waiter, 0);
    settled_.notify_all();
    if (had)
        changed(local.name, false);
}

void Name_manager::claim_settled(Local& local)
{
    local.state = Claim_state::claimed;
    Debug_base::print(ZEV_trans::DEBUG_CHANNEL, "ZEV: NAME %016llX holds address %u\n", value_of(local.name),
                      local.address);
    if (local.waiter)
        link_.post_name_event(local.waiter, 0);
    settled_.notify_all();
    changed(local.name, true);
}

bool Name_manager::erase_remote(const RAWNAME& name)
{
    bool found = false;
    for (auto it = remotes_.begin(); it != remotes_.end();) {
        if (it->second == name) {
            it = remotes_.erase(it);
            found = true;
        } else {
            ++it;
        }
    }
    return found;
}

void Name_manager::changed(const RAWNAME& name, bool has_address)
{
    for (const Listen_node& node : listeners_)
        if (node.get_waiter() && node.get_name().match(name))
            link_.post_name_event(node.get_waiter(), node.get_id());
    if (!has_address)
        return;
    auto fired = std::remove_if(waits_.begin(), waits_.end(), [&](const Wait& w) {
        if (!w.pattern.match(name))
            return false;
        link_.post_name_event(w.waiter, 0);
        return true;
    });
    waits_.erase(fired, waits_.end());
}

void Name_manager::on_address_claimed(uint8_t source, const RAWNAME& name)
{
    if (source == ZEV_trans::ADDR_BROADCAST)
        return; // the global address is no node's: sending "to it" would reach every node
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& l : locals_)
        if (l->name == name) {
            Debug_print::dprint("ZEV: another node claims address %u with this node's NAME %016llX\n", source,
                                value_of(name));
            return;
        }
    if (source == ZEV_trans::ADDRESS_NULL) { // that node cannot claim
        if (erase_remote(name))
            changed(name, false);
        return;
    }
    if (Local* local = local_at(source)) {
        if (local->name < name) { // ours wins: say so again, the other moves
            send_claim(source, local->name);
            if (erase_remote(name))
                changed(name, false);
            return;
        }
        lose(*local, name);
    }
    auto it = remotes_.find(source);
    if (it != remotes_.end() && it->second == name)
        return; // a known claim repeated
    if (it != remotes_.end() && it->second < name) { // the holder wins; the claimant must move
        if (erase_remote(name))
            changed(name, false);
        return;
    }
    if (it != remotes_.end()) {
        RAWNAME displaced = it->second;
        remotes_.erase(it);
        changed(displaced, false);
    }
    erase_remote(name); // a move: one event, for the new address
    remotes_[source] = name;
    changed(name, true);
}

void Name_manager::on_request_for_claim(uint8_t destination)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& l : locals_) {
        if (holds(l->state, false) && (destination == ZEV_trans::ADDR_BROADCAST || destination == l->address))
            send_claim(l->address, l->name);
        else if (l->state == Claim_state::cannot_claim && destination == ZEV_trans::ADDR_BROADCAST)
            send_claim(ZEV_trans::ADDRESS_NULL, l->name);
    }
}

void Name_manager::claim_again()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto& l : locals_) {
            const uint8_t first = holds(l->state, false) ? l->address : l->preferred;
            if (!pick_address(*l, first, -1))
                cannot_claim(*l);
        }
    }
    start();
}

bool Name_manager::handle_timeout(Timeout& timeout)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& l : locals_)
        if (&l->timer == &timeout) {
            if (l->state == Claim_state::claiming)
                claim_settled(*l);
            return true;
        }
    return false;
}

bool Name_manager::is_local_address(uint8_t address, bool claimed_only) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& l : locals_)
        if (l->address == address && holds(l->state, claimed_only))
            return true;
    return false;
}

uint8_t Name_manager::gethostbyname(const NAME& name, bool) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (const Local* l = local_named(name, true))
        return l->address;
    for (auto& r : remotes_)
        if (name.match(r.second))
            return r.first;
    return ZEV_trans::ADDRESS_NULL;
}

bool Name_manager::gethostbyaddr(uint8_t address, RAWNAME& name, bool) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& l : locals_)
        if (l->address == address && l->state == Claim_state::claimed) {
            name = l->name;
            return true;
        }
    auto it = remotes_.find(address);
    if (it == remotes_.end())
        return false;
    name = it->second;
    return true;
}

int Name_manager::gethostsbyname(const NAME& pattern, Host_entry* table, int max, bool) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    int n = 0;
    for (auto& l : locals_)
        if (n < max && l->state == Claim_state::claimed && pattern.match(l->name))
            table[n++] = Host_entry{l->address, l->name};
    for (auto& r : remotes_)
        if (n < max && pattern.match(r.second))
            table[n++] = Host_entry{r.first, r.second};
    return n;
}

bool Name_manager::get_event_name(const waiter_event& event, NAME& name) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Listen_node& node : listeners_)
        if (node.get_id() == event.code) {
            name = node.get_name();
            return true;
        }
    return false;
}

bool Name_manager::del_remote_name(const RAWNAME& name)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return erase_remote(name);
}

bool Name_manager::wait_for_name(waiter_descriptor* waiter, const NAME& name, bool block)
{
    std::unique_lock<std::mutex> lock(mutex_);
    const bool is_known = known(name);
    // Asked again, the waiter still hears once.
    auto same = [&](const Wait& w) {
        return w.waiter == waiter && w.pattern.get_match_mask() == name.get_match_mask() && w.pattern.match(name);
    };
    if (waiter && is_known)
        link_.post_name_event(waiter, 0);
    else if (waiter && std::none_of(waits_.begin(), waits_.end(), same))
        waits_.push_back(Wait{name, waiter});
    // This node's own claim answers a blocking wait, even when another node
    // matching the pattern (or with the same NAME) is known already.
    const Local* own = local_named(name, false);
    if (!block || !own || own->state != Claim_state::claiming)
        return is_known;
    settled_.wait(lock, [own] { return own->state != Claim_state::claiming; });
    return own->state == Claim_state::claimed;
}

const Listen_node* Name_manager::add_listener(const NAME& pattern, waiter_descriptor* waiter)
{
    std::lock_guard<std::mutex> lock(mutex_);
    listeners_.emplace_back(pattern, waiter, next_listener_id_++);
    const Listen_node& node = listeners_.back();
    if (known(pattern) && waiter)
        link_.post_name_event(waiter, node.get_id());
    return &node;
}

bool Name_manager::remove_listener(const Listen_node* node)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = listeners_.begin(); it != listeners_.end(); ++it)
        if (&*it == node) {
            listeners_.erase(it);
            return true;
        }
    return false;
}

}
