#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

// The three history screens, one menu button a row.
void Seeder_screens::OperatingHistoryMenuMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Operating_history_menu_ids& own = ids.operating_history_menu;
    VtObjectDataMask* mask = createDataMask(pool);
    own.mask.record(mask);
    mask->setBackgroundColour(VtColour(1));

    Seeder_frame_list rows;
    Seeder_grid_cells cells;
    createGrid(layout, rows, cells, 2, 1, 3, mask);
    Seeder_frame_list columns;
    createColumns(layout, columns, 5, rows.at(0));
    placeLabelInRow(pool, columns.at(0), "Operating History Menu", layout.font[7], 1, 0);

    own.menu_buttons[0].record(createMenuButton(layout, cells.cells[0], 61, "Totals", "History"));
    own.menu_buttons[1].record(createMenuButton(layout, cells.cells[1], 62, "Shafts", "History"));
    own.menu_buttons[2].record(createMenuButton(layout, cells.cells[2], 63, "Fan", "History"));

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    own.seeder_key.record(addKey(pool, keys, 1, 16, "Seeder", "Menu", layout.font[1]));
    own.settings_key.record(addKey(pool, keys, 1, 14, "Settings", "Menu", layout.font[1]));
    own.main_key.record(addKey(pool, keys, 1, 17, "Main", "Screen", layout.font[1]));
}
