#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

// The seeder's own settings: eight menu buttons and, in the last cell, the
// tank preload button, shown through a pointer only while a tank can be
// preloaded.
void Seeder_screens::SeederSettingsMenu(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Seeder_settings_menu_ids& own = ids.seeder_settings_menu;
    VtObjectDataMask* mask = createDataMask(pool);
    own.mask.record(mask);
    mask->setBackgroundColour(VtColour(1));

    Seeder_frame_list rows;
    Seeder_grid_cells cells;
    createGrid(layout, rows, cells, 2, 3, 3, mask);
    Seeder_frame_list columns;
    createColumns(layout, columns, 5, rows.at(0));
    placeLabelInRow(pool, columns.at(0), "Seeder Settings Menu", layout.font[7], 1, 0);

    struct Entry {
        uint8_t code;
        const char* text1;
        const char* text2;
    };
    // Blocked head and fans share their code.
    const Entry entries[] = {{15, "Tanks", nullptr},   {22, "External", "Options"}, {24, "Blocked", "Head"},
                             {23, "Wheel", "Cal."},    {24, "Fans", nullptr},       {25, "Width", "Speed"},
                             {97, "Seeder", "Brand"}, {10, "Seeder", "History"}};
    for (uint32_t i = 0; i < own.menu_buttons.size(); ++i)
        own.menu_buttons[i].record(
            createMenuButton(layout, cells.cells[i], entries[i].code, entries[i].text1, entries[i].text2));

    // Laid out as createMenuButtonWith does, but placed through the pointer.
    VtObjectContainer* cell = cells.cells[8];
    const int32_t width = int32_t(cell->getWidth() - 2 * layout.inset);
    const int32_t height = int32_t(cell->getHeight() - 2 * layout.inset);
    VtObjectButton* preload = createButtonWith(pool, uint32_t(width), uint32_t(height), 1, 75, nullptr);
    VtObjectOutputFieldString* first = createLabel(pool, "Tank", layout.font[14], 2);
    VtObjectOutputFieldString* second = createLabel(pool, "Preload", layout.font[14], 2);
    const int32_t h1 = int32_t(first->getHeight());
    addToButton(preload, (width - int32_t(first->getWidth())) / 2, (height - h1) / 2 - h1, first);
    addToButton(preload, (width - int32_t(second->getWidth())) / 2, (height - h1) / 2 + int32_t(second->getHeight()),
                second);
    own.tank_preload_button.record(preload);
    own.pointer.record(placePointerInRow(pool, cell, preload->getOid(), 1, 0, -int32_t(layout.inset), -1));

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    own.settings_key.record(addKey(pool, keys, 1, 14, "Settings", "Menu", layout.font[1]));
    own.main_key.record(addKey(pool, keys, 1, 17, "Main", "Screen", layout.font[1]));
}
