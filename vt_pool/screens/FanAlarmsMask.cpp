#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"

// The four fan alarms, each switched on or off with its alarm point; the
// running screen applies a row to fans 1 and 2 together.
void Seeder_screens::FanAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Fan_alarms_ids& own = ids.fan_alarms;
    Seeder_frame_list rows;
    Seeder_grid_cells grid;
    own.mask.record(createTitledGrid(layout, rows, grid, 2, "Fan Alarms"));
    const char* const labels[4] = {"Fan Press. Low", "Fan Press. High", "Fan Speed Low", "Fan Speed High"};
    for (uint32_t r = 0; r < 4; ++r) {
        own.lists[r].record(placeOnOffCell(layout, grid.cells[2 * r], labels[r]));
        own.alarm_points[r].record(placeLabelledInput(layout, grid.cells[2 * r + 1], "Alarm Point"));
    }
    addAlarmKeys(layout, own.keys);
}
