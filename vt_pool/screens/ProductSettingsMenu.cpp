#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

#include <string>

// The sixteen products, four a row, each button showing the product's name
// over its tank; the screen writes both lines.
void Seeder_screens::ProductSettingsMenu(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Product_settings_menu_ids& own = ids.product_settings_menu;
    VtObjectDataMask* mask = createDataMask(pool);
    own.mask.record(mask);
    mask->setBackgroundColour(VtColour(1));

    Seeder_frame_list rows;
    Seeder_grid_cells cells;
    createGrid(layout, rows, cells, 2, 4, 4, mask);
    Seeder_frame_list columns;
    createColumns(layout, columns, 5, rows.at(0));
    placeLabelInRow(pool, columns.at(0), "Product Settings Menu", layout.font[7], 1, 0);

    for (uint32_t p = 0; p < own.product_buttons.size(); ++p) {
        const std::string n = std::to_string(p + 1);
        VtObjectOutputFieldString* name = createLabel(pool, "PROD" + n, layout.font[14], 2);
        VtObjectOutputFieldString* tank = createLabel(pool, "Tank" + n, layout.font[14], 2);
        own.product_buttons[p].record(createMenuButtonWith(layout, cells.cells[p], uint8_t(40 + p), name, tank));
        own.product_labels[p].record(name);
        own.tank_labels[p].record(tank);
    }

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    own.settings_key.record(addKey(pool, keys, 1, 14, "Settings", "Menu", layout.font[1]));
    own.main_key.record(addKey(pool, keys, 1, 17, "Main", "Screen", layout.font[1]));
    own.multi_cal_key.record(addKey(pool, keys, 1, 99, "Multi", "Cal", layout.font[1]));
}
