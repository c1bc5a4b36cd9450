#pragma once
#include "platform/data/CDS_Access_base.h"
#include "platform/rtos/waiter_descriptor.h"

namespace CDS {

// A listener on a byte range of a data store: once registered on a task's
// waiter, every change of a byte in the range queues an event there, and the
// task's thread hands it to changed(). The event's code is the range's event
// word (its size and the low 16 bits of its address).
//
// Register and unregister on the thread that receives the events: an event
// that thread has already taken still reaches the listener.
class Virt_access : public Event_listener {
public:
    Virt_access() = default;
    explicit Virt_access(const Access_base& access)
        : access_(access)
    {
    }
    // A listener still registered is unregistered first (so its waiter must
    // outlive it, as a task's waiter outlives the task's members).
    virtual ~Virt_access();
    Virt_access(const Virt_access&) = delete;
    Virt_access& operator=(const Virt_access&) = delete;

    // Sets the range; only while not registered.
    void init(const Access_base& access);
    const Access_base& get_access() const { return access_; }

    // Registers on the waiter (a listener registered elsewhere moves there).
    void autoreg(waiter_descriptor& waiter);
    // Unregisters from the waiter and drops the events already queued there
    // for this listener, so that none reaches it afterwards.
    void autounreg(waiter_descriptor& waiter);
    waiter_descriptor* get_waiter() const { return waiter_; }

    void handle_listener_event(waiter_event& event) final { changed(event); }

protected:
    // The change callback, on the registered waiter's thread.
    virtual void changed(waiter_event& event) = 0;

private:
    void registration(bool add, waiter_descriptor& waiter);

    Access_base access_;
    waiter_descriptor* waiter_ = nullptr;
};

}
