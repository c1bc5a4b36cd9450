#pragma once
#include "platform/data/CDS_Head.h"
#include "platform/rtos/waiter_descriptor.h"

#include <vector>

// A waiter's registrations for changes of data-store items: each change of a
// watched item queues an event on the waiter, which is() recognises.
// Unregisters everything when it goes.
class Store_watch {
public:
    Store_watch(CDS::Head& head, waiter_descriptor& waiter);
    ~Store_watch();
    Store_watch(const Store_watch&) = delete;
    Store_watch& operator=(const Store_watch&) = delete;

    template <class T>
    void add(const T& item)
    {
        add(&item, sizeof item);
    }
    // Whether the event tells of a change of the item (watched or not).
    template <class T>
    bool is(const waiter_event& event, const T& item) const
    {
        return event.module == head_.get_module_id() && event.code == CDS::event_word(&item, sizeof item);
    }
    void clear();

private:
    struct Item {
        unsigned offset;
        unsigned size;
        uint32_t word;
    };
    void add(const void* item, unsigned size);

    CDS::Head& head_;
    waiter_descriptor& waiter_;
    std::vector<Item> items_;
};
