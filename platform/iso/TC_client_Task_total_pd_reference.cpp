#include "platform/iso/TC_client_Task_total_pd_reference.h"
#include "platform/iso/TC_client_Task_totals.h"
#include "platform/rtos/Bugger.h"

#include <algorithm>
#include <limits>

namespace TC_client {

void Task_total_pd_reference::set_lifetime_total_pd_adaptor(Process_data_adaptor_raw* lifetime)
{
    adaptor_.lifetime = lifetime;
    if (lifetime)
        lifetime->set_receiver(&adaptor_);
}

int32_t Task_total_pd_reference::Total_adaptor::lifetime_now()
{
    if (!lifetime)
        Bugger::report_bug("Task total without a lifetime source");
    return lifetime->handle_get();
}

int32_t Task_total_pd_reference::Total_adaptor::total_at(int32_t lifetime_raw) const
{
    int64_t total = int64_t(lifetime_raw) - base_;
    total = std::max<int64_t>(total, std::numeric_limits<int32_t>::min());
    return int32_t(std::min<int64_t>(total, std::numeric_limits<int32_t>::max()));
}

void Task_total_pd_reference::Total_adaptor::handle_set(int32_t raw)
{
    base_ = int64_t(lifetime_now()) - raw;
    if (totals)
        totals->set_base(lifetime->get_source(), base_);
    _notify_update(raw);
}

int32_t Task_total_pd_reference::Total_adaptor::handle_get()
{
    return total_at(lifetime_now());
}

void Task_total_pd_reference::Total_adaptor::start(waiter_descriptor* waiter)
{
    const int32_t now = lifetime_now();
    base_ = totals ? totals->base_of(lifetime->get_source(), now) : now;
    lifetime->start(waiter);
}

void Task_total_pd_reference::Total_adaptor::stop()
{
    if (lifetime)
        lifetime->stop();
}

void Task_total_pd_reference::Total_adaptor::new_value(void*, int raw)
{
    _notify_update(total_at(raw));
}

}
