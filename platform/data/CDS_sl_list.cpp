#include "platform/data/CDS_sl_list.h"
#include "platform/data/CDS_Lookup_item.h"
#include "platform/rtos/Bugger.h"

namespace CDS {

sl_list::iterator& sl_list::iterator::operator++()
{
    item_ = sl_list::next(*item_);
    return *this;
}

void sl_list::push(Lookup_item& item)
{
    if (item.link_)
        Bugger::report_bug("sl_list::push, already in a list.\n");
    if (last_ != end_mark())
        last_->link_ = &item;
    else
        first_ = &item;
    last_ = &item;
    item.link_ = end_mark();
    ++count_;
}

Lookup_item* sl_list::take()
{
    if (first_ == end_mark())
        return nullptr;
    Lookup_item* item = first_;
    first_ = item->link_;
    if (first_ == end_mark())
        last_ = end_mark();
    item->link_ = nullptr;
    --count_;
    return item;
}

Lookup_item* sl_list::first() const
{
    return first_ == end_mark() ? nullptr : first_;
}

Lookup_item* sl_list::next(const Lookup_item& item)
{
    return item.link_ == end_mark() ? nullptr : item.link_;
}

}
