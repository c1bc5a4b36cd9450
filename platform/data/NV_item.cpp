#include "platform/data/NV_item.h"
#include "platform/data/CDS_Event_handler.h"
#include "platform/data/NV_Virt_access.h"
#include "platform/data/NV_container.h"
#include "platform/data/NV_root.h"
#include "platform/rtos/Bugger.h"

namespace NV_store {

namespace {
// Constant-initialised, so it outlives every tree, the global one included.
std::mutex listeners_guard;
}

std::mutex& NV_item::listener_mutex()
{
    return listeners_guard;
}

NV_item::NV_item(NV_container* parent, unsigned short id, const char* name)
    : parent_(parent), id_(id), name_(name)
{
    if (parent)
        parent->append_child(*this);
}

NV_item::~NV_item()
{
    // A listener that outlives its item keeps its waiter but no registration.
    std::lock_guard<std::mutex> guard(listener_mutex());
    for (Virt_access* listener : listeners_)
        listener->registered_ = nullptr;
}

const char* NV_item::_from_string(const char*)
{
    return nullptr;
}

void NV_item::_set_root(NV_root*)
{
}

void NV_item::_set_parent(NV_item& item, NV_container* parent, unsigned short id)
{
    if (item.parent_ || !parent)
        Bugger::report_bug("NV_item::_set_parent takes a standalone item and a parent");
    item.parent_ = parent;
    item.id_ = id;
    parent->append_child(item);
}

void NV_item::post_to_listeners(const NV_item& changed, int module, notify_t mode) const
{
    for (Virt_access* listener : listeners_)
        if (&changed == this || listener->include_below_)
            listener->post(module, mode);
}

void NV_item::notify_updated(bool changed, notify_t mode) const
{
    if (changed)
        announce(mode);
}

void NV_item::announce(notify_t mode) const
{
    const NV_item* top = this;
    while (top->parent_)
        top = top->parent_;
    // A standalone record has no root, and its events no module.
    auto root = dynamic_cast<const NV_root*>(top);
    int module = root ? root->get_module_id() : 0;
    {
        std::lock_guard<std::mutex> guard(listener_mutex());
        for (const NV_item* item = this; item; item = item->parent_)
            item->post_to_listeners(*this, module, mode);
    }
    for (const NV_item* item = this; item; item = item->parent_)
        if (CDS::Event_handler* handler = item->get_event_handler())
            handler->signal_event(true);
}

}
