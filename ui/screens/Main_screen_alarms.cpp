#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/Bugger.h"
#include "platform/ui/Screen_man.h"
#include "ui/screens/Main_screen.h"
#include "ui/screens/Seeder_alarm_screen.h"
#include "ui/screens/Seeder_alarm_table.h"
#include "ui/screens/TAlarmManager.h"

void Main_screen::process_alarms(bool active, bool acknowledged, const char* mask_name)
{
    auto* screen = dynamic_cast<Seeder_alarm_screen*>(get_man()->find_screen(mask_name));
    // The UI root made a screen for every alarm scanned, or did not start.
    if (!screen)
        Bugger::report_bug("processed_alarm");
    if (active && !acknowledged) {
        alarms_->add_alarm(screen);
        return;
    }
    bool removed = false;
    alarms_->remove_alarm(screen, &removed);
    if (removed)
        take_off_display(screen);
}

void Main_screen::take_off_display(Screen* screen)
{
    Screen_man* man = get_man();
    if (man->get_current_screen() == screen)
        man->back_screen(1);
    else
        man->remove_screen(screen, false);
}

void Main_screen::scan_alarms()
{
    // The alarms with a screen, in the order they are made: fans 1 and 2,
    // tanks 1 to 4. A record may change between its two reads; the next
    // scan sees it.
    CDS::Head& head = store().head;
    for (const Seeder_alarm& alarm : seeder_alarms(store().body.alarms, objects_.parameters.app.alarms)) {
        const bool active = head.get(alarm.record->active);
        const bool acknowledged = head.get(alarm.record->acknowledged);
        process_alarms(active, acknowledged, alarm.mask_name());
    }
}

bool Main_screen::alarms_inhibited()
{
    return store().head.get(store().body.internal.inhibit_vt_alarms);
}

void Main_screen::alarm_tick()
{
    if (alarms_inhibited() || !alarms_)
        return;
    Seeder_alarm_screen* previous = alarms_->current_alarm();
    scan_alarms();
    Seeder_alarm_screen* next = alarms_->next_alarm();
    if (next) {
        get_man()->switch_to_screen(next);
        if (previous && previous != next)
            get_man()->remove_screen(previous, false);
    } else if (previous) {
        take_off_display(previous);
    }
}

void Main_screen::alarms_changed()
{
    // Inhibited alarms neither come up nor go: the scan would take a
    // cleared one down.
    if (!alarms_ || !vt_uploaded() || alarms_inhibited())
        return;
    const bool showing = alarms_->current_alarm() != nullptr;
    scan_alarms();
    // A shown alarm gives way at the next tick; with none shown, a new one
    // comes up now.
    if (showing)
        return;
    submit_timeout(alarm_timer_, alarm_period_ms);
    alarm_tick();
}

bool Main_screen::vt_uploaded()
{
    return store().head.get(store().body.system.vt_uploaded);
}
