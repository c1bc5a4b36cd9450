#pragma once
#include "platform/data/CDS_Head.h"
#include "platform/rtos/waiter_descriptor.h"

#include <cstdint>
#include <vector>

// The events queued on the waiter, taken out in order.
std::vector<waiter_event> take_events(waiter_descriptor& waiter);
// Registers the waiter for size bytes at item, with the word given.
void follow(CDS::Head& head, waiter_descriptor& waiter, const void* item, unsigned size, uint32_t word);

// Records the offset and size of every change signalled on the regions it
// follows (regions that do not overlap), in order.
class Store_probe {
public:
    struct Change {
        unsigned offset;
        unsigned size;
        bool operator==(const Change& other) const { return offset == other.offset && size == other.size; }
    };

    explicit Store_probe(CDS::Head& head);
    ~Store_probe();
    Store_probe(const Store_probe&) = delete;
    Store_probe& operator=(const Store_probe&) = delete;

    void follow(const void* item, unsigned size);
    // The changes signalled since the last call.
    std::vector<Change> take_changes();
    // The change of one field, as a locked write of it signals it.
    template <class T>
    Change change_of(const T& field) const
    {
        return Change{head_.offset_of(&field), unsigned(sizeof field)};
    }

private:
    struct Region {
        unsigned offset;
        unsigned size;
    };

    CDS::Head& head_;
    waiter_descriptor waiter_;
    std::vector<Region> regions_;
};
