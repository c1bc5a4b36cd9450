#include "ui/screens/Seeder_alarm_screen.h"

#include "platform/data/CDS_Head.h"
#include "platform/ui/Screen_man.h"

Seeder_alarm_screen::Seeder_alarm_screen(VT::Alarm_mask_obj* mask, Screen_man* man, CDS::Head& store, bool* ack,
                                         uint32_t repeat_limit)
    : Alarm_screen(mask, man, nullptr), repeat_limit(repeat_limit), store_(store), ack_(ack)
{
}

bool Seeder_alarm_screen::send_soft_key_event(Soft_key_activation_event& event, unsigned int function)
{
    // Every event acknowledges again: the alarm logic and the alarm scan
    // follow the write's change event.
    if (ack_)
        store_.set(*ack_, true);
    if (event.code == Soft_key_activation_event::released)
        return get_man()->back_screen(1);
    return Alarm_screen::send_soft_key_event(event, function);
}
