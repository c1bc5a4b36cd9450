#pragma once
#include "platform/data/NV_Access_base.h"
#include "platform/data/NV_item.h"
#include "platform/rtos/waiter_descriptor.h"

namespace NV_store {

// A listener on a parameter item: once registered on a task's waiter, every
// change of the item (and, when asked, of any item below it) queues an event
// there, and the task's thread hands it to changed(). The event carries the
// module id of the item's tree (0 outside a tree), the notify_t of the change
// as its code and the watched item as its data.
//
// Register and unregister on the thread that receives the events: an event
// that thread has already taken still reaches the listener.
class Virt_access : public Event_listener, public Access_base {
public:
    Virt_access() = default;
    // A listener still registered is unregistered first.
    virtual ~Virt_access();
    Virt_access(const Virt_access&) = delete;
    Virt_access& operator=(const Virt_access&) = delete;

    // Sets the watched item; only while not registered.
    void init(NV_item* item);

    // Registers on the waiter for changes of the item, and of everything below
    // it when include_below is set (a listener registered elsewhere moves
    // here). False when no item was given.
    bool autoreg(waiter_descriptor& waiter, bool include_below);
    // Unregisters from the waiter and drops the events already queued there
    // for this listener, so that none reaches it afterwards.
    void autounreg(waiter_descriptor& waiter);
    waiter_descriptor* get_waiter() const { return waiter_; }

    void handle_listener_event(waiter_event& event) final { changed(event); }

protected:
    // The change callback, on the registered waiter's thread.
    virtual void changed(waiter_event& event) = 0;

private:
    friend class NV_item;
    void post(int module, notify_t mode);

    NV_item* registered_ = nullptr; // null once the item has gone
    waiter_descriptor* waiter_ = nullptr;
    bool include_below_ = false;
};

}
