#pragma once
#include <deque>

class Seeder_alarm_screen;

// Which alarm screen the operator sees next. The wanted screens wait in
// three queues by their mask's priority; the most urgent non-empty queue is
// served first, its screens in turn, and a screen with a repeat limit leaves
// the turn once served that often, until it is removed and added again (the
// alarm cleared and came back). Not locked: only the operating screen's own
// handling calls it. The screens are not the manager's.
class TAlarmManager {
public:
    // Queues the screen at the front of its queue; a null or already queued
    // screen changes nothing.
    void add_alarm(Seeder_alarm_screen* screen);
    // Un-queues the screen and clears its count; *removed tells whether it
    // stood in its queue (false for a screen dropped at its limit).
    void remove_alarm(Seeder_alarm_screen* screen, bool* removed);
    // The screen next_alarm returned last; null when it found none.
    Seeder_alarm_screen* current_alarm() const { return current_; }
    // The screen to show now, or null.
    Seeder_alarm_screen* next_alarm();

private:
    static constexpr int queue_count = 3;
    std::deque<Seeder_alarm_screen*>& queue_of(const Seeder_alarm_screen& screen);

    Seeder_alarm_screen* current_ = nullptr;
    std::deque<Seeder_alarm_screen*> queues_[queue_count];
};
