#include "vt_pool/screens/Settings_screen_parts.h"

using namespace Settings_screen_parts;

// How the proportional valve of the chosen liquid tank is driven, with the
// way back to the tank's liquid settings.
void Seeder_screens::LiquidPropValveControlSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Liquid_prop_valve_control_ids& own = ids.liquid_prop_valve_control;
    VtObjectDataMask* mask = whiteMask(layout, own.mask);
    Seeder_frame_list rows;
    Seeder_grid_cells grid;
    createGrid(layout, rows, grid, 2, 2, 4, mask);
    own.tank_number.record(placeDriveTitle(layout, rows.at(0), "PValve Control Settings"));
    placeValveControlLists(layout, grid, own.lists);
    own.settings_button.record(createMenuButton(layout, grid.cells[7], 71, "Settings"));

    addDriveKeys(layout, own.keys);
}
