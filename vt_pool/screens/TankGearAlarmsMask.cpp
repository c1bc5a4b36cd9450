#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"

#include <string>

// The gear alarm of each tank, one tank a row.
void Seeder_screens::TankGearAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Tank_gear_alarms_ids& own = ids.tank_gear_alarms;
    Seeder_frame_list rows;
    Seeder_grid_cells grid;
    own.mask.record(createTitledGrid(layout, rows, grid, 2, "Tank Gear Alarms"));
    for (uint32_t t = 0; t < 4; ++t) {
        own.lists[t].record(placeOnOffRow(layout, grid.cells[2 * t], grid.cells[2 * t + 1],
                                          "Tank Gear " + std::to_string(t + 1)));
        own.left_cells[t].record(grid.cells[2 * t]);
        own.right_cells[t].record(grid.cells[2 * t + 1]);
    }
    addAlarmKeys(layout, own.keys);
}
