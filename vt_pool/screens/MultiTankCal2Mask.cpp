#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/VtPlacement.h"

// Second step of the multi-tank calibration: per tank the weight the run
// should have dispensed and the weight actually caught, typed in.
void Seeder_screens::MultiTankCal2Mask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Multi_tank_cal2_ids& own = ids.multi_tank_cal2;
    Seeder_frame_list rows;
    own.mask.record(createTitledMask(layout, rows, ""));

    Seeder_frame_list columns;
    createColumns(layout, columns, 9, rows.at(0));
    placeLabelInRow(pool, columns.at(0), "Product", layout.font[7], 1, 0);
    placeLabelInRow(pool, columns.at(1), "Est.", layout.font[0], 2, 0);
    placeLabelInRow(pool, columns.at(1), "Weight", layout.font[0], 2, 1);
    placeLabelInRow(pool, columns.at(2), "Act.", layout.font[0], 2, 0);
    placeLabelInRow(pool, columns.at(2), "Weight", layout.font[0], 2, 1);

    for (uint32_t t = 0; t < 4; ++t) {
        VtObjectContainer* row = rows.at(t + 1);
        own.rows[t].record(row);
        createColumns(layout, columns, 9, row);
        own.names[t].record(placeLabelInRow(pool, columns.at(0), name_sample, layout.font[0], 1, 0));
        own.estimated_weights[t].record(placeNumberInRow(pool, columns.at(1), layout.font[2], 1, 0, 0, 0));
        const Seeder_switched_number actual = placeSwitchedNumber(layout, columns.at(2), 1, 0);
        recordSwitchedNumber(actual, own.actual_variables[t], own.actual_inputs[t], own.actual_outputs[t],
                             own.actual_pointers[t]);
    }
    addRowSeparators(layout, rows);

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    for (Pointer_id& slot : own.key_slots)
        slot.record(addSoftKeyPointer(pool, keys));
    own.next_key.record(createSlotKey(layout, 8, "Next"));
    own.cancel_key.record(createSlotKey(layout, 9, "Cancel"));
}
