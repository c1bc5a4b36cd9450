#include "messaging/cds/Can_gril_Can_gril.h"
#include "messaging/cds/CDS_Remote_Server.h"
#include "messaging/cds/Can_gril_CDS_backend.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/can/ZEV_trans.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Resume_timeout.h"

namespace Can_gril {

namespace {

constexpr int debug_module = 42;

// The address this node answers from: the one the request came to, or,
// for a request to all, the first address this node holds.
bool own_address(ZEV_smart_stack& stack, uint8_t destination, uint8_t& address)
{
    ZEV_name::Name_manager& names = stack.get_name_manager();
    if (destination < ZEV_trans::ADDRESS_ALL && names.is_local_address(destination, true)) {
        address = destination;
        return true;
    }
    for (unsigned a = 0; a < ZEV_trans::ADDRESS_ALL; ++a) {
        if (names.is_local_address(uint8_t(a), true)) {
            address = uint8_t(a);
            return true;
        }
    }
    return false;
}

}

Can_gril::Can_gril() = default;

Can_gril::~Can_gril()
{
    terminate(1, 1000);
}

bool Can_gril::add_stack(ZEV_smart_stack* stack)
{
    for (ZEV_smart_stack*& slot : stacks_) {
        if (!slot) {
            slot = stack;
            return true;
        }
    }
    return false;
}

bool Can_gril::init(module_man* manager, CDS::Remote::Server* server)
{
    attach(server);
    return Diner::init(manager, nullptr, "GCAN", 100, 3072, true, false) && start();
}

void Can_gril::diner_start()
{
    Debug_base::print(debug_module, "GOC Started\n");
    for (int i = 0; i < max_stacks && stacks_[i]; ++i) {
        stacks_[i]->register_pgn(CDS_backend::pgn, &get_waiter(), &handles_[i], 1);
        Debug_base::print(debug_module, "GOC Reg %d -> %d\n", i, int(handles_[i]));
    }
    if (server_)
        server_->set_wake([this] { send_anonymous_event(get_waiter(), &tick_); });
    submit_timeout(tick_, tick_ms);
}

void Can_gril::diner_stop()
{
    Debug_base::print(debug_module, "GOC Stopped\n");
    remove_timeout(tick_);
    if (server_)
        server_->set_wake(nullptr);
    for (int i = 0; i < max_stacks && stacks_[i]; ++i)
        stacks_[i]->deregister_pgn(CDS_backend::pgn, &get_waiter(), 0);
}

void Can_gril::handle_timeout(Timeout& timeout)
{
    if (&timeout != &tick_ || !server_)
        return;
    server_->on_tx_complete(0);
    // Nothing waits: no tick wakes the task until a change is queued.
    if (!server_->tick_wanted())
        remove_timeout(tick_);
}

void Can_gril::handle_event(waiter_event& event)
{
    if (event.data == &tick_) {
        resume_timeout(*this, tick_);
        return;
    }
    Debug_base::print(debug_module, "GOC Got event %x %x\n", unsigned(event.module), unsigned(event.code));
    for (int i = 0; i < max_stacks && stacks_[i]; ++i) {
        if (server_ && event.module == stacks_[i]->get_completion_module()) {
            server_->on_tx_complete(int(int32_t(event.code)));
            return;
        }
        if (event.module == handles_[i] && event.code == CDS_backend::pgn) {
            read_frame(*stacks_[i]);
            return;
        }
    }
}

void Can_gril::read_frame(ZEV_smart_stack& stack)
{
    // One byte more than the largest frame tells a longer one apart.
    uint8_t frame[max_frame + 1];
    ZEV_header header;
    const int n = stack.read(CDS_backend::pgn, header, frame, sizeof frame, &get_waiter(), 1);
    if (n < 0) {
        Debug_base::print(debug_module, "COG Could not read %d %d\n", n, max_frame);
        return;
    }
    Debug_base::print(debug_module, "COG Addr check %d %d\n", int(header.get_source()),
                      int(header.get_destination()));
    if (!server_ || n < CDS_backend::prefix || n > max_frame || frame[0] != CDS_backend::marker ||
        frame[1] != CDS_backend::marker)
        return;
    uint8_t source;
    if (!own_address(stack, header.get_destination(), source))
        return;
    CDS_backend backend(&stack, &get_waiter(), source, header.get_source());
    server_->handle_message(backend, frame + CDS_backend::prefix, n - CDS_backend::prefix);
}

}
