#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"

// Four alarms that belong to no tank, one a row.
void Seeder_screens::OtherAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Other_alarms_ids& own = ids.other_alarms;
    Seeder_frame_list rows;
    Seeder_grid_cells grid;
    own.mask.record(createTitledGrid(layout, rows, grid, 2, "Other Alarms"));
    const char* const labels[4] = {"Tank Off", "Alternative Rate", "Case Drain", "Blocked Head"};
    for (uint32_t r = 0; r < 4; ++r)
        own.lists[r].record(placeOnOffRow(layout, grid.cells[2 * r], grid.cells[2 * r + 1], labels[r]));
    addAlarmKeys(layout, own.keys);
}
