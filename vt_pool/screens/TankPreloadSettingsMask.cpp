#include "vt_pool/screens/Seeder_screens.h"

// The preload time of the tanks, in tenths of a second up to 5 s.
void Seeder_screens::TankPreloadSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Tank_preload_ids& own = ids.tank_preload;
    Seeder_frame_list rows;
    own.mask.record(createTitledMask(layout, rows, 2, "Tank Preload Settings"));

    Seeder_frame_list columns;
    VtObjectContainer* row = rows.at(1);
    createColumns(layout, columns, 8, row);
    placeTextInRow(pool, columns.at(0), "Preload Time", layout.font[12], 1, 0, 1);
    VtObjectContainer* right = columns.at(1);
    VtObjectInputFieldNumber* time = createInputNumber(pool, layout.half_width - 2 * layout.inset,
                                                       row->getHeight() / 2, nullptr, layout.font[2]);
    placeInputNumberInBand(pool, right, time, 3, 1, 2);
    time->setOptions(1);
    time->setValue(0);
    time->setMinValue(0);
    time->setMaxValue(5);
    time->setOffset(0);
    time->setScale(0.1);
    time->setNumberOfDecimals(1);
    time->setFormat(false);
    time->setHorizontalJustification(2);
    time->setEnabled(true);
    own.preload_time.record(time);
    VtObjectOutputFieldString* unit = createLabel(pool, "sec", layout.font[15], 2);
    addToContainer(right, int32_t(layout.half_width) - 3 - int32_t(unit->getWidth()), 22, unit);

    for (uint32_t r = 1; r <= 4; ++r)
        addToContainer(rows.at(r), 0, 0, createHorizontalLine(pool, layout.width, layout.line_sep));

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    own.seeder_key.record(addKey(pool, keys, 1, 16, "Seeder", "Menu", layout.font[1]));
    own.settings_key.record(addKey(pool, keys, 1, 14, "Settings", "Menu", layout.font[1]));
    own.main_key.record(addKey(pool, keys, 1, 17, "Main", "Screen", layout.font[1]));
}
