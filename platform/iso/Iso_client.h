#pragma once
#include "platform/can/ZEV_Waiter_list.h"
#include "platform/can/ZEV_name_NAME.h"
#include "platform/rtos/Atime.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/Diner_protection.h"

#include <atomic>
#include <functional>
#include <mutex>

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

    // The fields a server's NAME must have beyond its function.
    void set_server_filter(const ZEV_name::NAME& filter);
    // The NAME of the server in use; GLOBAL_NAME when there is none.
    ZEV_name::RAWNAME get_server_rawname() const;

    virtual void set_enabled(bool enabled);
    bool is_enabled() const { return enabled_; }

    // Under the task's lock; a waiter listed already is not listed again.
    // False when the list is full.
    bool add_client_waiter(waiter_descriptor* waiter);
    bool remove_client_waiter(waiter_descriptor* waiter);

protected:
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

    ZEV_smart_stack* const stack_;
    Working_set_member& member_;

private:
    static constexpr uint8_t no_server = 254;

    bool passes(const ZEV_name::RAWNAME& name) const;

    const uint8_t server_function_;
    const uint16_t timeout_s_;
    const ZEV_name::RAWNAME preferred_;
    std::atomic<bool> enabled_{true};
    bool searching_ = false;
    Atime search_start_;
    uint8_t server_address_ = no_server;

    mutable std::mutex name_mutex_; // the filter and the server's NAME
    ZEV_name::NAME filter_;
    ZEV_name::RAWNAME server_name_ = ZEV_name::RAWNAME::GLOBAL_NAME;

    ZEV::Waiter_list<max_client_waiters> client_waiters_; // under the task's lock
};

}
