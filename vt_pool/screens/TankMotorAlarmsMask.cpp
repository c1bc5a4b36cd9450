#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"

#include <string>

// The motor sensor and motor jam alarms of each tank, one tank a row.
void Seeder_screens::TankMotorAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Tank_motor_alarms_ids& own = ids.tank_motor_alarms;
    Seeder_frame_list rows;
    Seeder_grid_cells grid;
    own.mask.record(createTitledGrid(layout, rows, grid, 2, "Tank Motor Alarms"));
    for (uint32_t t = 0; t < 4; ++t) {
        const std::string tank = "Tank " + std::to_string(t + 1);
        own.sensor_lists[t].record(placeOnOffCell(layout, grid.cells[2 * t], tank + " Motor Sensor"));
        own.jam_lists[t].record(placeOnOffCell(layout, grid.cells[2 * t + 1], tank + " Motor Jam"));
        own.left_cells[t].record(grid.cells[2 * t]);
        own.right_cells[t].record(grid.cells[2 * t + 1]);
    }
    addAlarmKeys(layout, own.keys);
}
