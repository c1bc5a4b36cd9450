#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/VtPlacement.h"

namespace {

constexpr uint32_t green = 2;
constexpr uint32_t red = 12;

}

// Last step of the multi-tank calibration: per tank the old and the new
// factor, their difference and whether the new one is saved or ignored.
void Seeder_screens::MultiTankCal3Mask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Multi_tank_cal3_ids& own = ids.multi_tank_cal3;
    Seeder_frame_list rows;
    own.mask.record(createTitledMask(layout, rows, ""));

    VtObjectContainer* top = rows.at(0);
    Seeder_frame_list columns;
    createColumns(layout, columns, 1, top);
    placeLabelInRow(pool, columns.at(0), "Cal", layout.font[0], 2, 0);
    placeLabelInRow(pool, columns.at(0), "Product", layout.font[0], 2, 1);
    placeLabelInRow(pool, columns.at(1), "Old", layout.font[0], 2, 0);
    placeLabelInRow(pool, columns.at(2), "New", layout.font[0], 2, 0);
    placeLabelInRow(pool, columns.at(3), "Diff", layout.font[0], 2, 0);
    placeLabelInRow(pool, columns.at(3), "%", layout.font[15], 2, 1);
    placeLabelInRow(pool, columns.at(4), "Status", layout.font[0], 2, 0);
    // The factors' unit, under both the old and the new column.
    VtObjectOutputFieldString* unit = createLabel(pool, "pulses/gal ", layout.font[15], 1);
    addToContainer(top, int32_t(layout.fifth_width), int32_t(top->getHeight() * 3 / 4 - unit->getHeight() / 2), unit);

    for (uint32_t t = 0; t < 4; ++t) {
        VtObjectContainer* row = rows.at(t + 1);
        own.rows[t].record(row);
        createColumns(layout, columns, 1, row);
        own.names[t].record(placeLabelInRow(pool, columns.at(0), name_sample, layout.font[0], 1, 0));
        own.old_factors[t].record(placeNumberInRow(pool, columns.at(1), layout.font[2], 1, 0, 0, 0));
        own.new_factors[t].record(placeNumberInRow(pool, columns.at(2), layout.font[2], 1, 0, 0, 0));
        own.differences[t].record(placeNumberInRow(pool, columns.at(3), layout.font[2], 1, 0, 0, 0));
        own.ignore_groups[t].record(placeButtonGroup(layout, columns.at(4), red, uint8_t(101 + t), "IGNORE", 1, 0,
                                                     own.ignore_buttons[t], false));
        own.save_groups[t].record(placeButtonGroup(layout, columns.at(4), green, uint8_t(105 + t), "SAVE", 1, 0,
                                                   ids.multi_tank_cal3_more.save_buttons[t], true));
    }
    addRowSeparators(layout, rows);

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    for (Pointer_id& slot : own.key_slots)
        slot.record(addSoftKeyPointer(pool, keys));
    own.clear_all_key.record(createSlotKey(layout, 29, "Clear", "All"));
    own.save_all_key.record(createSlotKey(layout, 17, "Save", "All"));
    own.exit_key.record(createSlotKey(layout, 109, "Exit"));
    own.back_key.record(createSlotKey(layout, 100, "Back"));
}
