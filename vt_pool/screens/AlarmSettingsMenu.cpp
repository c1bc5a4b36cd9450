#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

// The eight alarm screens in two columns, and the key that inhibits alarm
// masks with its red or green mark.
void Seeder_screens::AlarmSettingsMenu(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Alarm_settings_menu_ids& own = ids.alarm_settings_menu;
    VtObjectDataMask* mask = createDataMask(pool);
    own.mask.record(mask);
    mask->setBackgroundColour(VtColour(1));

    Seeder_frame_list rows;
    Seeder_grid_cells cells;
    createGrid(layout, rows, cells, 2, 2, 4, mask);
    Seeder_frame_list columns;
    createColumns(layout, columns, 5, rows.at(0));
    placeLabelInRow(pool, columns.at(0), "Alarm Settings Menu", layout.font[7], 1, 0);

    struct Entry {
        uint8_t code;
        const char* text;
    };
    const Entry entries[] = {{26, "Fan"},  {76, "Motor"},    {27, "Shaft"}, {77, "Gear"},
                             {28, "Tank"}, {39, "Pressure"}, {38, "Other"}, {93, "No Flow"}};
    for (uint32_t i = 0; i < own.menu_buttons.size(); ++i)
        own.menu_buttons[i].record(
            createMenuButton(layout, cells.cells[i], entries[i].code, entries[i].text, "Alarms"));

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    own.settings_key.record(addKey(pool, keys, 1, 14, "Settings", "Menu", layout.font[1]));
    own.main_key.record(addKey(pool, keys, 1, 17, "Main", "Screen", layout.font[1]));
    VtObjectKey* inhibit = addKey(pool, keys, 1, 92, "Inhibit", "Alarms", layout.font[1]);
    own.inhibit_key.record(inhibit);
    VtObjectRectangle* mark = createRectangle(pool, 16, 16, layout.line_thin, layout.fill_red);
    addToKey(inhibit, 5, 32, mark);
    own.rectangle.record(mark);
}
