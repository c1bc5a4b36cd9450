#pragma once
#include "platform/can/ZEV_name_Listen_node.h"
#include "platform/can/ZEV_name_NAME.h"
#include "platform/can/ZEV_trans.h"
#include "platform/rtos/Timeout.h"

#include <condition_variable>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class ZEV_link;
struct waiter_event;

namespace ZEV_name {

struct Host_entry {
    uint8_t address = ZEV_trans::ADDRESS_NULL;
    RAWNAME name;
};

enum class Claim_state { none, claiming, claimed, cannot_claim };

// The NAMEs and addresses of one stack's bus, per ISO 11783-5: claims the
// addresses of this node's NAMEs, answers requests for address claim, learns
// the claims of the other nodes, and tells listeners of every change. A claim
// holds once no node with a lower NAME has contested it for the claim delay.
// Look-ups take every known node, this node's and the others; their flags
// are kept for the callers and change nothing.
class Name_manager {
public:
    // The standard's range for self-configurable addresses.
    static constexpr uint8_t dynamic_low = 128, dynamic_high = 247;

    explicit Name_manager(ZEV_link& link);
    ~Name_manager();
    Name_manager(const Name_manager&) = delete;
    Name_manager& operator=(const Name_manager&) = delete;

    // Claims an address for a NAME of this node: preferred first. A
    // self-configurable NAME that loses its address moves to a free one in
    // [low, high] (128..247 when no range is given); any other reports that
    // it cannot claim. The waiter hears (name event, code 0) when the claim
    // holds, fails, or is lost. False when the NAME is this node's already or
    // the preferred address cannot be claimed (254 and up).
    bool add_local_name(const NAME& name, uint8_t preferred, waiter_descriptor* waiter, int low = -1, int high = -1);
    Claim_state get_claim_state(const RAWNAME& local) const;

    // The address of the first node matching the NAME, or ADDRESS_NULL.
    uint8_t gethostbyname(const NAME& name, bool flag = true) const;
    // The NAME at the address; false when no node holds it.
    bool gethostbyaddr(uint8_t address, RAWNAME& name, bool flag = true) const;
    // Every node matching the pattern that holds an address, this node's
    // first; returns how many were written (at most max).
    int gethostsbyname(const NAME& pattern, Host_entry* table, int max, bool flag = true) const;
    // The pattern of the listener that raised a name event; false for other events.
    bool get_event_name(const waiter_event& event, NAME& name) const;
    // Forgets a node of another station until it claims again.
    bool del_remote_name(const RAWNAME& name);

    // See ZEV_smart_stack::wait_for_name.
    bool wait_for_name(waiter_descriptor* waiter, const NAME& name, bool block);

    // How long a claim must stand uncontested: the standard's 250 ms unless
    // set (tests set less). Every stack of the process takes it for its next claims.
    static constexpr int standard_claim_delay_ms = 250;
    static void set_claim_delay(int ms);

    // The stack's side.
    void start();
    // After the bus was away: every NAME of this node claims again (its
    // address, or the preferred one when it had none) and the other nodes
    // are asked for their claims.
    void claim_again();
    void on_address_claimed(uint8_t source, const RAWNAME& name);
    void on_request_for_claim(uint8_t destination);
    bool handle_timeout(Timeout& timeout);
    bool is_local_address(uint8_t address, bool claimed_only) const;

private:
    friend class Listeners;
    struct Local {
        Local(const RAWNAME& n, uint8_t p, waiter_descriptor* w) : name(n), preferred(p), low(p), high(p), waiter(w) {}
        RAWNAME name;
        uint8_t preferred, low, high;
        waiter_descriptor* waiter;
        uint8_t address = ZEV_trans::ADDRESS_NULL;
        Claim_state state = Claim_state::none;
        Timeout timer;
    };
    struct Wait {
        NAME pattern;
        waiter_descriptor* waiter;
    };

    const Listen_node* add_listener(const NAME& pattern, waiter_descriptor* waiter);
    bool remove_listener(const Listen_node* node);

    Local* local_at(uint8_t address);
    const Local* local_named(const NAME& pattern, bool claimed_only) const;
    // Some node matching the pattern holds an address.
    bool known(const NAME& pattern) const;
    bool address_free_for(uint8_t address, const Local& local) const;
    bool pick_address(Local& local, uint8_t first, int avoid);
    // For messages: whose the address is.
    std::string holder_of(uint8_t address) const;
    void claim(Local& local, uint8_t address);
    void send_claim(uint8_t source, const RAWNAME& name);
    void lose(Local& local, const RAWNAME& winner);
    void cannot_claim(Local& local);
    bool erase_remote(const RAWNAME& name);
    void claim_settled(Local& local);
    void changed(const RAWNAME& name, bool has_address);

    ZEV_link& link_;
    mutable std::mutex mutex_;
    std::condition_variable settled_;
    std::list<std::unique_ptr<Local>> locals_;
    std::map<uint8_t, RAWNAME> remotes_;
    std::list<Listen_node> listeners_;
    uint32_t next_listener_id_ = 1;
    std::vector<Wait> waits_;
};

}
