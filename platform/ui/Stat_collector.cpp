#include "platform/ui/Stat_collector.h"

#include "platform/ui/Stat.h"

#include <algorithm>

Stat_collector::~Stat_collector()
{
    // Stats that outlive their screen must not reach it.
    for (Stat* stat : std::vector<Stat*>(stats_))
        stat->collector_ = nullptr;
}

Stat* Stat_collector::find_stat(uint16_t object) const
{
    for (Stat* stat : stats_)
        if (stat->takes(object))
            return stat;
    return nullptr;
}

void Stat_collector::add_stat(Stat* stat)
{
    if (std::find(stats_.begin(), stats_.end(), stat) == stats_.end())
        stats_.push_back(stat);
}

void Stat_collector::remove_stat(Stat* stat)
{
    stats_.erase(std::remove(stats_.begin(), stats_.end(), stat), stats_.end());
}
