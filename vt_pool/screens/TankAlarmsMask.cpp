#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"

#include <string>

// The low and empty alarms of each tank, one tank a row.
void Seeder_screens::TankAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Tank_alarms_ids& own = ids.tank_alarms;
    Seeder_frame_list rows;
    Seeder_grid_cells grid;
    own.mask.record(createTitledGrid(layout, rows, grid, 2, "Tank Alarms"));
    for (uint32_t t = 0; t < 4; ++t) {
        const std::string tank = "Tank " + std::to_string(t + 1);
        own.low_lists[t].record(placeOnOffCell(layout, grid.cells[2 * t], tank + " Low"));
        own.empty_lists[t].record(placeOnOffCell(layout, grid.cells[2 * t + 1], tank + " Empty"));
        own.left_cells[t].record(grid.cells[2 * t]);
        own.right_cells[t].record(grid.cells[2 * t + 1]);
    }
    addAlarmKeys(layout, own.keys);
}
