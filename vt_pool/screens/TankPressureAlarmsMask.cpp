#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/VtPlacement.h"

#include <string>

namespace {

// The label over the alarm's on/off list and its alarm point side by side.
void placePressureAlarm(Seeder_layout& layout, VtObjectContainer* cell, const std::string& label,
                        Input_list_id& list, Input_number_id& point)
{
    VtPool& pool = layout.pool;
    placeLabelInRow(pool, cell, label, layout.font[0], 2, 0);
    const uint32_t half = cell->getWidth() / 2;
    VtObjectContainer* left = createContainer(pool, half, cell->getHeight());
    addToContainer(cell, 0, 0, left);
    VtObjectContainer* right = createContainer(pool, half, cell->getHeight());
    addToContainer(cell, int32_t(half), 0, right);
    list.record(placeInputListInRow(pool, left, layout.font[2], 2, 1, on_off_texts));
    point.record(placeInputNumberInRow(pool, right, nullptr, layout.font[2], 2, 1, 0, 0));
}

}

// The low and high liquid-pressure alarms of each tank with their alarm
// points, one tank a row.
void Seeder_screens::TankPressureAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Tank_pressure_alarms_ids& own = ids.tank_pressure_alarms;
    Seeder_frame_list rows;
    Seeder_grid_cells grid;
    own.mask.record(createTitledGrid(layout, rows, grid, 2, "Tank Pressure Alarms"));
    for (uint32_t t = 0; t < 4; ++t) {
        const std::string tank = "Tank " + std::to_string(t + 1);
        placePressureAlarm(layout, grid.cells[2 * t], tank + " Press. Low", own.low_lists[t], own.low_points[t]);
        placePressureAlarm(layout, grid.cells[2 * t + 1], tank + " Press. High", own.high_lists[t],
                           own.high_points[t]);
        own.left_cells[t].record(grid.cells[2 * t]);
        own.right_cells[t].record(grid.cells[2 * t + 1]);
    }
    addAlarmKeys(layout, own.keys);
}
