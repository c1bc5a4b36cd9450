#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"

namespace {


// A label in the left half of the group's upper half, the input in the
// right half with its unit.
VtObjectInputFieldNumber* placeGroupInput(Seeder_layout& layout, VtObjectContainer* group, const char* label,
                                          const char* unit, VtObjectOutputFieldString*& unit_label)
{
    Seeder_frame_list halves;
    createColumns(layout, halves, 8, group);
    placeTextInRow(layout.pool, halves.at(0), label, layout.font[12], 2, 0, 1);
    VtObjectInputFieldNumber* input =
        placeInputNumberInRow(layout.pool, halves.at(1), nullptr, layout.font[2], 2, 0, 0, 0);
    unit_label = placeUnitInRow(layout, halves.at(1), unit, 2, 0, input);
    return input;
}

}

// The calibration run of one tank for the product on it, in four steps that
// the running screen leads through its instruction line and soft-key places.
void Seeder_screens::TankCalibrationSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Tank_calibration_ids& own = ids.tank_calibration;
    Seeder_frame_list rows;
    own.mask.record(createTitledMask(layout, rows, "Tank Calibration Settings"));

    Seeder_frame_list halves;
    createColumns(layout, halves, 7, rows.at(1));
    placeLabelInRow(pool, halves.at(0), "Product Name", layout.font[0], 2, 0);
    own.product_name.record(placeLabelInRow(pool, halves.at(0), name_sample, layout.font[2], 2, 1));
    own.tank_number.record(placeLabelledNumber(layout, halves.at(1), "Tank Number"));

    // The run is made at the set rate or, for an actuator drive, at a fixed
    // extension: one of the two groups is shown.
    VtObjectContainer* row = rows.at(2);
    VtObjectOutputFieldString* unit = nullptr;
    VtObjectContainer* rate_group = placeGroup(layout, row, false);
    own.set_rate_group.record(rate_group);
    own.set_rate.record(placeGroupInput(layout, rate_group, "Set Rate", "12345", unit));
    own.set_rate_units.record(unit);
    VtObjectContainer* extension_group = placeGroup(layout, row, true);
    own.extension_group.record(extension_group);
    own.extension.record(placeGroupInput(layout, extension_group, "Actuator Extension", "%", unit));
    own.instruction.record(placeTextInRow(pool, row, instruction_sample, layout.font[0], 2, 1, 2));

    createColumns(layout, halves, 7, rows.at(3));
    // Holds "Pulses" for a liquid tank.
    own.revs_label.record(placeLabelInRow(pool, halves.at(0), "Revs   ", layout.font[0], 2, 0));
    own.revs.record(placeNumberInRow(pool, halves.at(0), layout.font[2], 2, 1, 0, 0));
    VtObjectOutputFieldNumber* estimated = placeLabelledNumber(layout, halves.at(1), "Estimated Weight");
    own.estimated_weight.record(estimated);
    own.weight_units.record(placeUnitInRow(layout, halves.at(1), "12345", 2, 1, estimated));

    createColumns(layout, halves, 7, rows.at(4));
    placeLabelInRow(pool, halves.at(0), "Cal. Factor", layout.font[0], 2, 0);
    recordSwitchedNumber(placeSwitchedNumber(layout, halves.at(0), 2, 1), own.cal_factor_variable,
                         own.cal_factor_input, own.cal_factor_output, own.cal_factor_pointer);
    own.cal_factor_units.record(placeUnitInRow(layout, halves.at(0), "pulses/gal ", 2, 0));
    placeLabelInRow(pool, halves.at(1), "Weight", layout.font[0], 2, 0);
    recordSwitchedNumber(placeSwitchedNumber(layout, halves.at(1), 2, 1), own.weight_variable, own.weight_input,
                         own.weight_output, own.weight_pointer);
    addRowSeparators(layout, rows);

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    for (Pointer_id& slot : own.key_slots)
        slot.record(addSoftKeyPointer(pool, keys));
    own.cal_style_slot.record(addSoftKeyPointer(pool, keys));
    own.product_settings_slot.record(addSoftKeyPointer(pool, keys));
    own.start_key.record(createSlotKey(layout, 58, "Start"));
    own.next_key.record(createSlotKey(layout, 8, "Next"));
    own.cancel_key.record(createSlotKey(layout, 9, "Cancel"));
    own.accept_key.record(createSlotKey(layout, 7, "Accept"));
    own.cal_style_key.record(createSlotKey(layout, 88, "Cal.", "Style"));
    own.product_settings_key.record(createSlotKey(layout, 20, "Product", "Settings"));
}
