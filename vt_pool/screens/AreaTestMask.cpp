#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"

#include <string>

// A stationary run over a required area: the area covered so far and what
// each tank has applied, with a red or green mark per tank.
void Seeder_screens::AreaTestMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Area_test_ids& own = ids.area_test;
    Seeder_frame_list rows;
    own.mask.record(createTitledMask(layout, rows, "Area Test"));

    Seeder_frame_list halves;
    createColumns(layout, halves, 7, rows.at(1));
    placeLabelInRow(pool, halves.at(0), "Required Area", layout.font[0], 2, 0);
    recordSwitchedNumber(placeSwitchedNumber(layout, halves.at(0), 2, 1), own.required_variable,
                         own.required_input, own.required_output, own.required_pointer);
    VtObjectOutputFieldNumber* covered = placeLabelledNumber(layout, halves.at(1), "Area Covered");
    own.area_covered.record(covered);
    own.area_units.record(placeUnitInRow(layout, halves.at(1), "12345", 2, 1, covered));

    for (uint32_t t = 0; t < 4; ++t) {
        if (t % 2 == 0)
            createColumns(layout, halves, 7, rows.at(2 + t / 2));
        VtObjectContainer* group = placeGroup(layout, halves.at(t % 2), false);
        own.tank_groups[t].record(group);
        VtObjectOutputFieldNumber* value = placeLabelledNumber(layout, group, "Tank " + std::to_string(t + 1));
        own.tank_values[t].record(value);
        own.tank_units[t].record(placeUnitInRow(layout, group, "12345", 2, 1, value));
        VtObjectRectangle* mark =
            createRectangle(pool, layout.height / 16, layout.height / 20, layout.line_thin, layout.fill_red);
        addToContainer(group, 4, (int32_t(group->getHeight() / 2) - int32_t(mark->getHeight())) / 2, mark);
        own.tank_indicators[t].record(mark);
    }
    own.instruction.record(placeTextInRow(pool, rows.at(4), instruction_sample, layout.font[0], 1, 0, 3));
    addRowSeparators(layout, rows);

    // The start, pause and resume keys take turns in the third place.
    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    for (Pointer_id& slot : own.key_slots)
        slot.record(addSoftKeyPointer(pool, keys));
    own.settings_key.record(createSlotKey(layout, 14, "Settings", "Menu"));
    own.main_key.record(createSlotKey(layout, 17, "Main", "Screen"));
    own.start_key.record(createSlotKey(layout, 58, "Start"));
    own.pause_key.record(createSlotKey(layout, 90, "Pause"));
    own.resume_key.record(createSlotKey(layout, 91, "Resume"));
    own.reset_key.record(createSlotKey(layout, 59, "Reset"));
}
