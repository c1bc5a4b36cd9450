#include "app/Store_watch.h"

Store_watch::Store_watch(CDS::Head& head, waiter_descriptor& waiter)
    : head_(head), waiter_(waiter)
{
}

Store_watch::~Store_watch()
{
    clear();
}

void Store_watch::add(const void* item, unsigned size)
{
    Item watched{head_.offset_of(item), size, CDS::event_word(item, size)};
    head_.event_register(&waiter_, watched.offset, watched.size, CDS::reg_change, watched.word, nullptr, nullptr);
    items_.push_back(watched);
}

void Store_watch::clear()
{
    for (const Item& item : items_)
        head_.event_unregister(&waiter_, item.offset, item.size, CDS::reg_change, item.word, nullptr, nullptr);
    items_.clear();
}
