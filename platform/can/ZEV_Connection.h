#pragma once
#include "platform/can/ZEV_name_NAME.h"
#include "platform/can/ZEV_smart_stack.h"

#include <memory>

class module_man;
class waiter_descriptor;

namespace ZEV {

// One NAME's presence on one bus: the bus, a running stack on it, and the
// claim of an address for the NAME.
class Connection {
public:
    explicit Connection(const ZEV_name::NAME& name);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the bus the spec names, starts a stack task on it and claims an
    // address for the NAME: low first, moving within [low, high] when another
    // node wins it. The waiter hears of the claim (name event, code 0). With
    // wait, returns once the claim has settled, true when it holds. False
    // when the bus cannot be opened (a message says why) or no address in
    // the range can be claimed. A started connection is stopped first.
    bool start(bool wait, const char* bus_spec, module_man* manager, waiter_descriptor* waiter, int low, int high);
    // Ends the stack's task and leaves the bus; the stack lives on, idle,
    // until the connection is deleted or started again.
    void stop();
    ZEV_smart_stack* get_stack() const { return stack_.get(); }

private:
    ZEV_name::NAME name_;
    std::unique_ptr<ZEV_smart_stack> stack_;
};

}
