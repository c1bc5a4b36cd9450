#include "ui/screens/TAlarmManager.h"
#include "ui/screens/Seeder_alarm_screen.h"

#include <algorithm>

std::deque<Seeder_alarm_screen*>& TAlarmManager::queue_of(const Seeder_alarm_screen& screen)
{
    // Priorities below the top one share the last queue.
    return queues_[std::min<int>(screen.get_priority(), queue_count - 1)];
}

void TAlarmManager::add_alarm(Seeder_alarm_screen* screen)
{
    if (!screen || screen->queued)
        return;
    screen->queued = true;
    queue_of(*screen).push_front(screen);
}

void TAlarmManager::remove_alarm(Seeder_alarm_screen* screen, bool* removed)
{
    *removed = false;
    if (!screen || !screen->queued)
        return;
    screen->queued = false;
    std::deque<Seeder_alarm_screen*>& queue = queue_of(*screen);
    const auto end = std::remove(queue.begin(), queue.end(), screen);
    if (end == queue.end())
        return;
    queue.erase(end, queue.end());
    screen->repeat_count = 0;
    *removed = true;
}

Seeder_alarm_screen* TAlarmManager::next_alarm()
{
    const auto queue = std::find_if(std::begin(queues_), std::end(queues_), [](const auto& q) { return !q.empty(); });
    if (queue == std::end(queues_)) {
        current_ = nullptr;
        return nullptr;
    }
    current_ = queue->front();
    queue->pop_front();
    ++current_->repeat_count;
    if (current_->repeat_limit != 0 && current_->repeat_count >= current_->repeat_limit)
        current_->repeat_count = 0; // served its limit: out of the turn, still queued
    else
        queue->push_back(current_);
    return current_;
}
