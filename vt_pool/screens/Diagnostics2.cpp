#include "vt_pool/screens/Seeder_screens.h"

#include <string>

// The pressures page of the diagnostics: four pressures in one row.
void Seeder_screens::Diagnostics2(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Diagnostics2_ids& own = ids.diagnostics2;
    Seeder_frame_list rows;
    own.mask.record(createTitledMask(layout, rows, 2, "Diagnostics"));

    Seeder_frame_list columns;
    createColumns(layout, columns, 6, rows.at(1));
    for (uint32_t c = 0; c < 4; ++c) {
        placeLabelInRow(pool, columns.at(c), "Press. " + std::to_string(c + 1), layout.font[0], 2, 0);
        own.pressure_values[c].record(placeNumberInRow(pool, columns.at(c), layout.font[2], 2, 1, 0, 0));
    }
    for (uint32_t c = 0; c < 4; ++c)
        own.pressure_columns[c].record(columns.at(c));
    addToContainer(rows.at(1), 0, 0, createHorizontalLine(pool, layout.width, layout.line_sep));

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    own.toggle_key.record(addKey(pool, keys, 1, 1, "Toggle", "Screen", layout.font[1]));
    own.system_info_key.record(addKey(pool, keys, 1, 65, "System", "Info", layout.font[1]));
    own.main_key.record(addKey(pool, keys, 1, 17, "Main", "Screen", layout.font[1]));
}
