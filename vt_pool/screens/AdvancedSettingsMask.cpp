#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

// The Task Controller switch and the rare actions: another VT, factory
// reset, factory upgrade.
void Seeder_screens::AdvancedSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Advanced_settings_ids& own = ids.advanced_settings;
    Advanced_settings_more_ids& more = ids.advanced_settings_more;
    VtObjectDataMask* mask = createDataMask(pool);
    more.mask.record(mask);
    mask->setBackgroundColour(VtColour(1));

    Seeder_frame_list rows;
    createRows(layout, rows, 2, mask);
    Seeder_frame_list columns;
    createColumns(layout, columns, 5, rows.at(0));
    placeLabelInRow(pool, columns.at(0), "Advanced Settings", layout.font[7], 1, 0);

    createColumns(layout, columns, 8, rows.at(1));
    placeTextInRow(pool, columns.at(0), "Enable TC", layout.font[12], 1, 0, 1);
    more.enable_tc.record(placeInputListInRow(pool, columns.at(1), layout.font[2], 1, 0, {"Disabled", "Enabled"}));

    createColumns(layout, columns, 9, rows.at(2));
    own.switch_vt_button.record(createMenuButton(layout, columns.at(0), 95, "Switch", "VT"));
    own.factory_reset_button.record(createMenuButton(layout, columns.at(1), 96, "Factory", "Reset"));
    own.factory_upgrade_button.record(createMenuButton(layout, columns.at(2), 110, "Factory", "Upgrade"));
    for (uint32_t r = 1; r <= 4; ++r)
        addToContainer(rows.at(r), 0, 0, createHorizontalLine(pool, layout.width, layout.line_sep));

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    more.settings_key.record(addKey(pool, keys, 1, 14, "Settings", "Menu", layout.font[1]));
    more.main_key.record(addKey(pool, keys, 1, 17, "Main", "Screen", layout.font[1]));
}
