#include "tests/support/Store_probe.h"

std::vector<waiter_event> take_events(waiter_descriptor& waiter)
{
    std::vector<waiter_event> events;
    waiter_event event;
    while (waiter.poll(event))
        events.push_back(event);
    return events;
}

void follow(CDS::Head& head, waiter_descriptor& waiter, const void* item, unsigned size, uint32_t word)
{
    head.event_register(&waiter, head.offset_of(item), size, CDS::reg_change, word, nullptr, nullptr);
}

namespace {

// A signal posts to the registrations in the order they were made: the
// region's mark first, then one per byte the signal touches.
constexpr uint32_t region_mark = 0xFFFFFFFF;

}

Store_probe::Store_probe(CDS::Head& head)
    : head_(head)
{
}

Store_probe::~Store_probe()
{
    for (const Region& r : regions_) {
        head_.event_unregister(&waiter_, r.offset, r.size, CDS::reg_change, region_mark, nullptr, nullptr);
        for (unsigned b = r.offset; b < r.offset + r.size; ++b)
            head_.event_unregister(&waiter_, b, 1, CDS::reg_change, b, nullptr, nullptr);
    }
}

void Store_probe::follow(const void* item, unsigned size)
{
    const Region r{head_.offset_of(item), size};
    regions_.push_back(r);
    head_.event_register(&waiter_, r.offset, r.size, CDS::reg_change, region_mark, nullptr, nullptr);
    for (unsigned b = r.offset; b < r.offset + r.size; ++b)
        head_.event_register(&waiter_, b, 1, CDS::reg_change, b, nullptr, nullptr);
}

std::vector<Store_probe::Change> Store_probe::take_changes()
{
    std::vector<Change> changes;
    for (const waiter_event& e : take_events(waiter_)) {
        if (e.code == region_mark)
            changes.push_back(Change{0, 0});
        else if (!changes.empty() && changes.back().size == 0)
            changes.back() = Change{e.code, 1};
        else if (!changes.empty())
            ++changes.back().size;
    }
    return changes;
}
