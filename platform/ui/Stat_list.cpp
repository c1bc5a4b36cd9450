#include "platform/ui/Stat_list.h"

#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_vtui_pool.h"

void Stat_list::init(Stat_collector* collector, VT::Input_list_obj* list, std::nullptr_t, VT::vtui_pool* pool, bool)
{
    bind(collector, pool);
    list_ = list;
    sent_ = false;
    mark_changed();
}

void Stat_list::set_item(uint16_t item)
{
    if (item >= item_count())
        return;
    item_ = item;
    if (!sent_ || item_ != sent_item_)
        mark_changed();
}

bool Stat_list::takes(uint16_t object) const
{
    return list_ && list_->get_id() == object;
}

void Stat_list::take_vt_number(uint32_t value)
{
    // The pool took only an item the list has.
    item_ = uint16_t(value);
    sent_ = true;
    sent_item_ = item_;
    report_edit();
}

void Stat_list::send_update(bool all)
{
    if ((!all && sent_ && item_ == sent_item_) || !list_ || !get_pool())
        return;
    get_pool()->lock_pool();
    list_->set_value(uint8_t(item_));
    get_pool()->unlock_pool();
    sent_ = true;
    sent_item_ = item_;
}

void Stat_list::apply_editable()
{
    if (list_)
        list_->set_enabled(is_editable());
}

unsigned Stat_list::item_count() const
{
    if (!list_ || !get_pool())
        return 0;
    get_pool()->lock_pool();
    const unsigned count = list_->get_item_count();
    get_pool()->unlock_pool();
    return count;
}
