#pragma once
#include "platform/can/ZEV_Waiter_list.h"
#include "platform/can/ZEV_name_NAME.h"
#include "platform/rtos/Atime.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/Diner_protection.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

class Working_set_member;
class ZEV_smart_stack;

namespace Iso {

// What the clients of ISO 11783 servers (Task Controller, virtual terminal)
// share: a task of their own, the choice of the server on the bus, an
// enable switch, and the application's waiters that hear the client's events.
//
// The server is a node whose NAME has the server's function and passes the
// filter. A preferred NAME is waited for up to the time-out after the search
// began; then any such server will do.
class Iso_client : public Diner_protection<Diner> {
public:
    static constexpr int max_client_waiters = 10;

    Iso_client(ZEV_smart_stack* stack, Working_set_member& member, uint8_t server_function, uint16_t timeout_s,
               const ZEV_name::RAWNAME& preferred);
    // A client that is given its stack, member and preference later, by attach.
    explicit Iso_client(uint8_t server_function);

    // The fields a server's NAME must have beyond its function.
    void set_server_filter(const ZEV_name::NAME& filter);
    // The NAME of the server in use; GLOBAL_NAME when there is none.
    ZEV_name::RAWNAME get_server_rawname() const;

    // Enabled, the client looks for its server and serves; disabled, it
    // falls silent. The client's own part of a change is _enable_client or
    // _disable_client.
    virtual void set_enabled(bool enabled);
    bool is_enabled() const { return enabled_; }

    // The address of the server the client would move to next: the usable
    // server of the function after the one in use, in address order, round
    // to the first; the one in use when it is the only one; ADDRESS_NULL when
    // there is none. Any thread.
    uint8_t get_next_server_addr();
    // Moves the client to that server: 0 when it will, -1 when there is no
    // other server. Any thread; the move happens on the client's task.
    int switch_next_server();

    // Under the task's lock; a waiter listed already is not listed again.
    // False when the list is full.
    bool add_client_waiter(waiter_descriptor* waiter);
    bool remove_client_waiter(waiter_descriptor* waiter);

protected:
    virtual void _enable_client() {}
    virtual void _disable_client() {}
    // How long a server stays usable after its last status.
    virtual int server_timeout_ms() const = 0;
    // Gives the client built with the short form its stack and member.
    void attach(ZEV_smart_stack* stack, Working_set_member& member, uint16_t timeout_s,
                const ZEV_name::RAWNAME& preferred);

    // A server's status was heard now; whether one was heard within the
    // status time-out. Any thread.
    void note_server_status(uint8_t address, Atime now);
    bool server_heard(uint8_t address, Atime now) const;
    // Whether any server's status was heard within the status time-out.
    bool any_server_heard(Atime now) const;
    // The server switch_next_server asked for, once; ADDRESS_NULL when none.
    uint8_t take_wanted_server() { return wanted_server_.exchange(no_server); }

    // Every client waiter hears the event, with the task's module id.
    void post_to_clients(uint32_t code);

    // The address of the server to use among the nodes on the bus that are
    // usable (a server is usable once it speaks); ADDRESS_NULL when there is
    // none yet. The first call starts the wait for the preferred NAME.
    uint8_t choose_server(Atime now, const std::function<bool(uint8_t address)>& usable);
    void set_server(uint8_t address);
    void forget_server() { set_server(no_server); }
    uint8_t get_server_address() const { return server_address_; }
    bool has_server() const { return server_address_ != no_server; }

    ZEV_smart_stack* stack_ = nullptr;
    Working_set_member* member_ = nullptr;

private:
    static constexpr uint8_t no_server = 254;

    // The servers of the function on the bus that are usable, by address.
    std::vector<uint8_t> usable_servers();

    bool passes(const ZEV_name::RAWNAME& name) const;

    const uint8_t server_function_;
    uint16_t timeout_s_ = 0;
    ZEV_name::RAWNAME preferred_ = ZEV_name::RAWNAME::GLOBAL_NAME;
    std::atomic<bool> enabled_{true};
    std::atomic<uint8_t> wanted_server_{no_server};
    std::atomic<int64_t> status_heard_ms_[256];
    bool searching_ = false;
    Atime search_start_;
    std::atomic<uint8_t> server_address_{no_server};

    mutable std::mutex name_mutex_; // the filter and the server's NAME
    ZEV_name::NAME filter_;
    ZEV_name::RAWNAME server_name_ = ZEV_name::RAWNAME::GLOBAL_NAME;

    ZEV::Waiter_list<max_client_waiters> client_waiters_; // under the task's lock
};

}
