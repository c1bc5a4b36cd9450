#pragma once
#include "platform/data/NV_Virt_access.h"

namespace NV_store {

// A parameter listener held by an object that follows an item: each change
// calls owner->handle_nv_listener_event(this) on the thread of the waiter it
// is registered on, so an owner with several listeners tells them apart by
// address.
template <class T>
class Virt_listener : public Virt_access {
public:
    explicit Virt_listener(T* owner)
        : owner_(owner)
    {
    }

protected:
    void changed(waiter_event&) override { owner_->handle_nv_listener_event(this); }

private:
    T* owner_;
};

}
