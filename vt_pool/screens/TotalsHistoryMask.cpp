#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"

#include <string>

// The machine's totals and what each tank has applied, two values a row.
void Seeder_screens::TotalsHistoryMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Totals_history_ids& own = ids.totals_history;
    Seeder_frame_list rows;
    Seeder_grid_cells grid;
    own.mask.record(createTitledGrid(layout, rows, grid, 2, "Totals History"));
    const auto cell = [&grid](uint32_t i) { return grid.cells[i]; };

    own.area.record(placeLabelledNumber(layout, cell(0), "Total Area"));
    VtObjectOutputFieldNumber* distance = placeLabelledNumber(layout, cell(1), "Total Distance");
    own.distance.record(distance);
    // The running screen writes the distance's unit here; the sample sizes it.
    ids.totals_history_more.distance_units.record(placeUnitInRow(layout, cell(1), "12345", 2, 1, distance));
    own.time.record(placeLabelledNumber(layout, cell(2), "Total Time"));
    own.max_speed.record(placeLabelledNumber(layout, cell(3), "Max. Speed"));
    for (uint32_t t = 0; t < 4; ++t)
        own.tank_totals[t].record(placeLabelledNumber(layout, cell(4 + t), "Tank " + std::to_string(t + 1) + " Total"));

    addHistoryKeys(layout, own.keys);
}
