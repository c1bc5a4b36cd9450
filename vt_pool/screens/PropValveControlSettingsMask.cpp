#include "vt_pool/screens/Settings_screen_parts.h"

using namespace Settings_screen_parts;

// How the proportional valve of the chosen granular tank is driven, with
// the way back to its drive settings.
void Seeder_screens::PropValveControlSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Prop_valve_control_ids& own = ids.prop_valve_control;
    VtObjectDataMask* mask = whiteMask(layout, own.mask);
    Seeder_frame_list rows;
    Seeder_grid_cells grid;
    createGrid(layout, rows, grid, 2, 2, 4, mask);
    own.tank_number.record(placeDriveTitle(layout, rows.at(0), "PValve Control Settings"));
    placeValveControlLists(layout, grid, own.lists);
    own.drive_settings_button.record(createMenuButton(layout, grid.cells[7], 71, "Drive Settings"));

    addDriveKeys(layout, own.keys);
}
