#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"

// The stopped-shaft alarm of each tank.
void Seeder_screens::ShaftAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    buildTankAlarmRows(layout, ids.shaft_alarms, "Shaft Alarms", "Shaft %d Stopped");
}
