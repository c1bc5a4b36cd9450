#pragma once
#include "platform/data/CDS_Virt_access.h"

namespace CDS {

// A data-store listener held by an object that follows a range: each change
// calls owner->handle_virt_listener_event(this, event) on the thread of the
// waiter it is registered on, so an owner with several listeners tells them
// apart by address.
template <class T>
class Virt_listener : public Virt_access {
public:
    explicit Virt_listener(T* owner)
        : owner_(owner)
    {
    }
    Virt_listener(T* owner, const Access_base& access)
        : Virt_access(access), owner_(owner)
    {
    }

protected:
    void changed(waiter_event& event) override { owner_->handle_virt_listener_event(this, event); }

private:
    T* owner_;
};

}
