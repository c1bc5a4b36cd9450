#include "vt_pool/seeder_ecu_pool/Seeder_fixed_objects.h"

namespace VT {

void Seeder_fixed_objects::each(const Visit& f)
{
    intro.each(f);
    attributes.each(f);
    working_mask.each(f);
    for (Tank_row& row : tanks.entry)
        row.each(f);
    texts.each([&](auto& text) { f(text.object); });
    for (Alarm& alarm : alarms.entry) {
        f(alarm.message);
        f(alarm.mask);
    }
    alarm_frame.each(f);
}

void Seeder_fixed_objects::fill()
{
    intro.fill();
    attributes.fill();
    working_mask.fill();
    for (Tank_row& row : tanks.entry)
        row.fill();
    texts.each([](auto& text) { text.fill(); });
    for (Alarm& alarm : alarms.entry)
        alarm.fill();
    alarm_frame.fill();
}

}
