#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"

// The motor sensor and motor jam alarms of each tank.
void Seeder_screens::TankMotorAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    buildTankAlarmPairs(layout, ids.tank_motor_alarms, "Tank Motor Alarms", "Tank %d Motor Sensor",
                        "Tank %d Motor Jam");
}
