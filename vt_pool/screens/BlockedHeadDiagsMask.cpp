#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

// The first 32 inputs of the blocked-head monitors, eight binary digits a
// row.
void Seeder_screens::BlockedHeadDiagsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Blocked_head_diags_ids& own = ids.blocked_head_diags;
    VtObjectDataMask* mask = createDataMask(pool);
    own.mask.record(mask);
    mask->setBackgroundColour(VtColour(1));

    Seeder_frame_list rows;
    createRows(layout, rows, 2, mask);
    Seeder_frame_list columns;
    createColumns(layout, columns, 5, rows.at(0));
    placeLabelInRow(pool, columns.at(0), "Blocked Head Data", layout.font[7], 1, 0);

    const char* const labels[] = {"In 8..1", "In 16..9", "In 24..17", "In 32..25"};
    for (uint32_t r = 0; r < own.bit_rows.size(); ++r) {
        VtObjectContainer* row = rows.at(r + 1);
        addToContainer(row, 0, 0, createHorizontalLine(pool, layout.width, layout.line_sep));
        createColumns(layout, columns, 8, row);
        placeTextInRow(pool, columns.at(0), labels[r], layout.font[12], 1, 0, 1);
        own.bit_rows[r].record(placeLabelInRow(pool, columns.at(1), "00000000", layout.font[2], 1, 0));
    }

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    own.diags_key.record(addKey(pool, keys, 1, 1, "Diags", "Screen", layout.font[1]));
    own.system_info_key.record(addKey(pool, keys, 1, 65, "System", "Info", layout.font[1]));
    own.main_key.record(addKey(pool, keys, 1, 17, "Main", "Screen", layout.font[1]));
}
