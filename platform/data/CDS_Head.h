#pragma once
#include "platform/rtos/Owned_mutex.h"
#include "platform/rtos/module_man.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <sys/types.h>
#include <type_traits>
#include <vector>

class waiter_descriptor;

namespace CDS {

class Access_base;
class Event_handler;
class Lookup_struct;
class Virt_access;
// Writer's options for a change; the store passes them on and reads nothing in them.
class Options;

enum Reg_type : int { reg_change = 1 };

// The word by which registrations and change events name an item: its size
// in the upper 16 bits, the low 16 bits of its address in the lower.
uint32_t event_word(const void* item, unsigned size);

// The head of a live data store: the one lock over the store's body, the
// body's base address (every item is named by its offset from it and its
// size), the registrations of waiters for byte ranges of the body, and the
// lookup tree that names the body's items.
class Head {
public:
    // manager null: the process's module manager. body: the first byte of the
    // store body. The store's module id goes back to the manager with the head.
    Head(module_man* manager, void* body);
    virtual ~Head() = default;
    Head(const Head&) = delete;
    Head& operator=(const Head&) = delete;

    // Takes the store's lock, waiting as long as it takes, and records the
    // holder; returns the holder's kernel thread id. The lock is not
    // re-entrant: taking it again while holding it is reported as a bug.
    pid_t lock();
    // Clears the holder and releases the lock.
    void unlock();
    // The holder's Qt thread id and kernel thread id, both 0 while the lock is free.
    Qt::HANDLE owner_thread() const { return mutex_.owner_thread(); }
    pid_t owner_tid() const { return mutex_.owner_tid(); }

    // The locked write with change event: lock, signal while the field still
    // holds its old value, store, unlock. One write, one signal.
    template <class T>
    void set(T& field, const std::remove_cv_t<T>& value, const Options* options = nullptr)
    {
        static_assert(std::is_trivially_copyable<T>::value, "store fields are plain data");
        write(&field, &value, sizeof(T), options);
    }
    // The same for size bytes at field.
    void write(void* field, const void* value, unsigned size, const Options* options = nullptr);
    // The locked write with change event for a writer that only reports
    // changes: nothing is written, and no listener woken, while the field
    // holds the value already (byte for byte). True when it wrote.
    template <class T>
    bool set_changed(T& field, const std::remove_cv_t<T>& value, const Options* options = nullptr)
    {
        static_assert(std::is_trivially_copyable<T>::value, "store fields are plain data");
        return write_changed(&field, &value, sizeof(T), options);
    }
    bool write_changed(void* field, const void* value, unsigned size, const Options* options = nullptr);
    // One locked read of a field.
    template <class T>
    T get(const T& field)
    {
        lock();
        T value = field;
        unlock();
        return value;
    }

    // Called with the lock held, before the item changes: posts one event to
    // the waiter of every registration whose range overlaps the item's bytes,
    // in registration order. Posting never blocks and never runs a receiver.
    virtual void event_signal(const void* item, const void* new_value, unsigned offset, unsigned size,
                              const Options* options);

    // Registers a waiter for changes of size bytes at offset: each later
    // signal that touches the range posts a waiter_event with the store's
    // module id, the word given here (unchanged), the access as its data and
    // the listener (when given) to handle it. An identical registration is
    // kept once.
    void event_register(waiter_descriptor* waiter, unsigned offset, unsigned size, Reg_type type, uint32_t word,
                        Access_base* access, Virt_access* listener);
    // Removes the registration with exactly these values.
    void event_unregister(waiter_descriptor* waiter, unsigned offset, unsigned size, Reg_type type, uint32_t word,
                          Access_base* access, Virt_access* listener);

    // The handler of the item of size bytes at offset (null: none) hears of
    // every locked write that touches those bytes, after the writer's unlock.
    void set_event_handler(unsigned offset, unsigned size, Event_handler* handler);

    void set_lookup(Lookup_struct* root) { lookup_ = root; }
    Lookup_struct* get_lookup() const { return lookup_; }

    void* get_body() const { return body_; }
    // The offset of an item of the body from the body's start.
    unsigned offset_of(const void* item) const;
    int get_module_id() const { return module_id_; }

private:
    struct Registration {
        waiter_descriptor* waiter;
        unsigned offset;
        unsigned size;
        Reg_type type;
        uint32_t word;
        Access_base* access;
        Virt_access* listener;
        bool operator==(const Registration& other) const;
    };

    Owned_mutex mutex_;
    unsigned char* const body_;
    std::unique_ptr<module_man> modules_; // the store's group of the manager
    int module_id_;
    Lookup_struct* lookup_ = nullptr;
    struct Handled {
        unsigned offset;
        unsigned size;
        Event_handler* handler;
    };

    mutable std::mutex registrations_mutex_;
    std::vector<Registration> registrations_;
    std::vector<Handled> handled_;
    // Handlers of the writes of the lock's holder, called at its unlock.
    std::vector<Event_handler*> pending_handlers_;
};

}
