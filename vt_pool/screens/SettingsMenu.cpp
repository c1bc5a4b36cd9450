#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

// The root of the settings: five menu buttons in two columns.
void Seeder_screens::SettingsMenu(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Settings_menu_ids& own = ids.settings_menu;
    VtObjectDataMask* mask = createDataMask(pool);
    own.mask.record(mask);
    mask->setBackgroundColour(VtColour(1));

    Seeder_frame_list rows;
    Seeder_grid_cells cells;
    createGrid(layout, rows, cells, 2, 2, 3, mask);
    Seeder_frame_list columns;
    createColumns(layout, columns, 5, rows.at(0));
    placeLabelInRow(pool, columns.at(0), "Settings Menu", layout.font[7], 1, 0);

    own.seeder_button.record(createMenuButton(layout, cells.cells[0], 16, "Seeder"));
    own.products_button.record(createMenuButton(layout, cells.cells[1], 20, "Products"));
    own.alarms_button.record(createMenuButton(layout, cells.cells[2], 21, "Alarms"));
    own.area_test_button.record(createMenuButton(layout, cells.cells[3], 89, "Area", "Test"));
    own.advanced_button.record(createMenuButton(layout, cells.cells[4], 94, "Advanced", "Settings"));

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    own.main_key.record(addKey(pool, keys, 1, 17, "Main", "Screen", layout.font[1]));
}
