#include "platform/can/ZEV_Connection.h"
#include "platform/can/Bus_select.h"
#include "platform/rtos/Debug_base.h"

namespace ZEV {

Connection::Connection(const ZEV_name::NAME& name) : name_(name) {}

Connection::~Connection() = default;

bool Connection::start(bool wait, const char* bus_spec, module_man* manager, waiter_descriptor* waiter, int low,
                       int high)
{
    stack_.reset();
    if (low < 0 || low >= ZEV_trans::ADDRESS_ALL) {
        Debug_print::dprint("ZEV: no claimable address from %d\n", low);
        return false;
    }
    Can_bus* bus = Bus_select::start(bus_spec, manager);
    if (!bus)
        return false;
    stack_.reset(new ZEV_smart_stack);
    if (!stack_->open(bus, manager) || !stack_->start())
        return false;
    if (!stack_->get_name_manager().add_local_name(name_, uint8_t(low), waiter, low, high))
        return false;
    return !wait || stack_->wait_for_name(nullptr, name_, true);
}

void Connection::stop()
{
    if (stack_)
        stack_->close();
}

}
