#include "platform/data/NV_Virt_access.h"
#include "platform/rtos/Bugger.h"

#include <algorithm>

namespace NV_store {

Virt_access::~Virt_access()
{
    if (waiter_)
        autounreg(*waiter_);
}

void Virt_access::init(NV_item* item)
{
    // The registration sits on the item: changing it now would strand it.
    if (waiter_)
        Bugger::report_bug("NV_store::Virt_access::init while registered");
    Access_base::init(item);
}

bool Virt_access::autoreg(waiter_descriptor& waiter, bool include_below)
{
    NV_item* item = get_item();
    if (!item)
        return false;
    if (waiter_ && waiter_ != &waiter)
        autounreg(*waiter_);
    std::lock_guard<std::mutex> guard(NV_item::listener_mutex());
    include_below_ = include_below;
    if (!waiter_) {
        item->listeners_.push_back(this);
        registered_ = item;
        waiter_ = &waiter;
    }
    return true;
}

void Virt_access::autounreg(waiter_descriptor& waiter)
{
    if (waiter_ != &waiter)
        return;
    {
        std::lock_guard<std::mutex> guard(NV_item::listener_mutex());
        if (registered_) {
            auto& list = registered_->listeners_;
            list.erase(std::remove(list.begin(), list.end(), this), list.end());
        }
        registered_ = nullptr;
        waiter_ = nullptr;
    }
    // Events are posted under the listener mutex, so none can follow these.
    waiter.purge(this);
}

void Virt_access::post(int module, notify_t mode)
{
    waiter_event event;
    event.module = module;
    event.code = mode;
    event.data = registered_;
    event.listener = this;
    waiter_->post(event);
}

}
