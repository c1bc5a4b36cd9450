#include "platform/iso/TC_client_Task_totals.h"

namespace TC_client {

int64_t Task_totals::base_of(const void* source, int32_t lifetime_now)
{
    return bases_.emplace(source, lifetime_now).first->second;
}

void Task_totals::set_base(const void* source, int64_t base)
{
    bases_[source] = base;
}

}
