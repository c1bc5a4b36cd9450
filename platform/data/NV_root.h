#pragma once
#include "platform/data/NV_container.h"
#include "platform/rtos/Owned_mutex.h"

class module_man;

namespace NV_store {

// The top of a parameter tree. Its events carry the module id it registers
// (0 without a module manager), and its mutex guards whole-tree copies.
class NV_root : public NV_container {
public:
    NV_root(module_man* module, unsigned short id, const char* name);

    item_type_t get_type() const override { return type_struct; }
    int get_module_id() const { return module_id_; }
    // Queues one event to every listener in the tree and tells every change
    // handler, changed or not (after a reset to defaults, or once at start-up).
    void signal_all() const;

protected:
    // The field-by-field copy of the whole tree from a tree of the same shape
    // under the tree's mutex, with notify_locked; returns whether
    // anything changed.
    bool assign_tree_locked(const NV_root& other);

private:
    Owned_mutex mutex_;
    int module_id_ = 0;
};

}
