#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"

#include <string>

// The highest speed each tank's shaft has reached, one shaft a row.
void Seeder_screens::ShaftsHistoryMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Shafts_history_ids& own = ids.shafts_history;
    Seeder_frame_list rows;
    Seeder_grid_cells grid;
    own.mask.record(createTitledGrid(layout, rows, grid, 2, "Shafts History"));
    for (uint32_t s = 0; s < 4; ++s) {
        placeTextInRow(layout.pool, grid.cells[2 * s], "Shaft" + std::to_string(s + 1) + " max speed", layout.font[12],
                       1, 0, 1);
        own.shaft_speeds[s].record(placeNumberInRow(layout.pool, grid.cells[2 * s + 1], layout.font[2], 1, 0, 0, 0));
    }
    addHistoryKeys(layout, own.keys);
}
