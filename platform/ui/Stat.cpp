#include "platform/ui/Stat.h"

#include "platform/iso/VT_vtui_pool.h"
#include "platform/ui/Stat_collector.h"

Stat::~Stat()
{
    if (collector_)
        collector_->remove_stat(this);
}

void Stat::set_editable(bool editable)
{
    editable_ = editable;
    if (!pool_)
        return;
    pool_->lock_pool();
    apply_editable();
    pool_->unlock_pool();
}

void Stat::bind(Stat_collector* collector, VT::vtui_pool* pool)
{
    pool_ = pool;
    if (!collector || collector == collector_)
        return;
    if (collector_)
        collector_->remove_stat(this);
    collector_ = collector;
    collector_->add_stat(this);
}

void Stat::mark_changed()
{
    if (collector_)
        collector_->stat_changed();
}

void Stat::report_edit()
{
    if (collector_)
        collector_->handle_stat_update(this);
}
