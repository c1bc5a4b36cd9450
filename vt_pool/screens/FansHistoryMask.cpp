#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"

// The history of one fan at a time, chosen in the fan list.
void Seeder_screens::FansHistoryMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Fans_history_ids& own = ids.fans_history;
    Seeder_frame_list rows;
    own.mask.record(createTitledMask(layout, rows, "Fans History"));

    Seeder_frame_list columns;
    createColumns(layout, columns, 8, rows.at(1));
    placeTextInRow(pool, columns.at(0), "Fan", layout.font[12], 1, 0, 1);
    VtObjectInputFieldList* fans = placeInputListInRow(pool, columns.at(1), layout.font[2], 1, 0, {"1", "2"});
    own.fan_list.record(fans);
    // The running screen blanks a disabled fan's element and puts it back.
    for (uint32_t f = 0; f < 2; ++f)
        ids.fans_history_more.fan_items[f].record(listElement(pool, fans, f));

    createColumns(layout, columns, 7, rows.at(2));
    own.max_speed.record(placeLabelledNumber(layout, columns.at(0), "Fan Max Speed"));
    own.max_pressure.record(placeLabelledNumber(layout, columns.at(1), "Fan Max Press"));
    createColumns(layout, columns, 7, rows.at(3));
    own.avg_speed.record(placeLabelledNumber(layout, columns.at(0), "Fan Avg Speed"));
    own.avg_pressure.record(placeLabelledNumber(layout, columns.at(1), "Fan Avg Press"));
    addRowSeparators(layout, rows);

    addHistoryKeys(layout, own.keys);
}
