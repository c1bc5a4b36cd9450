#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"

// The gear alarm of each tank.
void Seeder_screens::TankGearAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    buildTankAlarmRows(layout, ids.tank_gear_alarms, "Tank Gear Alarms", "Tank Gear %d");
}
