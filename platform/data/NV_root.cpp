#include "platform/data/NV_root.h"
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

void NV_root::signal_all() const
{
    std::lock_guard<std::mutex> guard(listener_mutex());
    post_to_all_listeners(module_id_);
}

bool NV_root::assign_tree_locked(const NV_root& other)
{
    mutex_.lock();
    bool changed = assign_record(other, notify_locked);
    mutex_.unlock();
    return changed;
}

}
