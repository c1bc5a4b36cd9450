#include "platform/data/NV_root.h"
#include "platform/data/CDS_Event_handler.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/module_man.h"

namespace NV_store {

NV_root::NV_root(module_man* module, unsigned short id, const char* name)
    : NV_container(nullptr, this, id, name)
{
    if (module) {
        module_id_ = module->register_module(name);
        if (module_id_ < 0) {
            Debug_print::dprint("NV_root %s: no module id left; its events carry module 0\n", name);
            module_id_ = 0;
        }
    }
}

namespace {
void tell_handlers(const NV_item& item)
{
    if (CDS::Event_handler* handler = item.get_event_handler())
        handler->signal_event(true);
    if (auto container = dynamic_cast<const NV_container*>(&item))
        for (const NV_item* child = container->get_first_child(); child; child = child->get_next_sibling())
            tell_handlers(*child);
}
}

void NV_root::signal_all() const
{
    {
        std::lock_guard<std::mutex> guard(listener_mutex());
        post_to_all_listeners(module_id_);
    }
    // A reset changes values silently: whoever watches an item hears of it here.
    tell_handlers(*this);
}

bool NV_root::assign_tree_locked(const NV_root& other)
{
    mutex_.lock();
    bool changed = assign_record(other, notify_locked);
    mutex_.unlock();
    return changed;
}

}
