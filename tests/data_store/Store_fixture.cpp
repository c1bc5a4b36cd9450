#include "tests/data_store/Store_fixture.h"

void Store_fixture::follow(const void* item, unsigned size, uint32_t word)
{
    head().event_register(&waiter, offset_of(item), size, CDS::reg_change, word, nullptr, nullptr);
}

std::vector<waiter_event> take_events(waiter_descriptor& waiter)
{
    std::vector<waiter_event> events;
    waiter_event event;
    while (waiter.poll(event))
        events.push_back(event);
    return events;
}
