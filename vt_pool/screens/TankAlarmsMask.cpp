#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"

// The low and empty alarms of each tank.
void Seeder_screens::TankAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    buildTankAlarmPairs(layout, ids.tank_alarms, "Tank Alarms", "Tank %d Low", "Tank %d Empty");
}
