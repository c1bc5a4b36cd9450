#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/VtPlacement.h"

// The four causes of no flow, each alarm a row under "No Flow".
void Seeder_screens::NoFlowAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    No_flow_alarms_ids& own = ids.no_flow_alarms;
    Seeder_frame_list rows;
    Seeder_grid_cells grid;
    own.mask.record(createTitledGrid(layout, rows, grid, 2, "No Flow Alarms"));
    const char* const causes[4] = {"All Tanks Off", "No Ground Speed", "No Fan Speed", "No Fan Pressure"};
    for (uint32_t r = 0; r < 4; ++r) {
        VtObjectContainer* left = grid.cells[2 * r];
        placeTextInRow(layout.pool, left, "No Flow", layout.font[12], 2, 0, 1);
        placeTextInRow(layout.pool, left, causes[r], layout.font[12], 2, 1, 1);
        own.lists[r].record(
            placeInputListInRow(layout.pool, grid.cells[2 * r + 1], layout.font[2], 1, 0, on_off_texts));
    }
    addAlarmKeys(layout, own.keys);
}
