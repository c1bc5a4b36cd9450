#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/VtPlacement.h"

namespace {

constexpr uint32_t white = 1;
constexpr uint32_t green = 2;
constexpr uint32_t red = 12;
// "OFF" of tank k carries first_off_code + k - 1, "ON" first_on_code + k - 1.
constexpr uint8_t first_off_code = 114;
constexpr uint8_t first_on_code = 118;

}

// First step of calibrating up to four tanks in one run: per tank the rate
// (or, for an actuator drive, the preset extension), the revolutions
// counted, the weight they stand for and the motor load, and the tank's
// on/off button.
void Seeder_screens::MultiTankCal1Mask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Multi_tank_cal1_ids& own = ids.multi_tank_cal1;
    Seeder_frame_list rows;
    own.mask.record(createTitledMask(layout, rows, ""));

    Seeder_frame_list columns;
    createColumns(layout, columns, 1, rows.at(0));
    placeLabelInRow(pool, columns.at(0), "Product", layout.font[7], 1, 0);
    placeLabelInRow(pool, columns.at(1), "Target", layout.font[0], 1, 0);
    placeLabelInRow(pool, columns.at(2), "Revs", layout.font[0], 1, 0);
    placeLabelInRow(pool, columns.at(3), "Est.", layout.font[0], 2, 0);
    placeLabelInRow(pool, columns.at(3), "Weight", layout.font[0], 2, 1);
    placeLabelInRow(pool, columns.at(4), "Load", layout.font[0], 1, 0);

    for (uint32_t t = 0; t < 4; ++t) {
        VtObjectContainer* row = rows.at(t + 1);
        own.rows[t].record(row);
        createColumns(layout, columns, 1, row);

        VtObjectContainer* name_cell = columns.at(0);
        own.names[t].record(placeLabelInRow(pool, name_cell, name_sample, layout.font[0], 2, 0));
        own.off_groups[t].record(placeButtonGroup(layout, name_cell, red, uint8_t(first_off_code + t), "OFF", 2, 1,
                                                  own.off_buttons[t], false));
        own.on_groups[t].record(placeButtonGroup(layout, name_cell, green, uint8_t(first_on_code + t), "ON", 2, 1,
                                                 own.on_buttons[t], true));

        // The running screen shows the rate, or the preset extension of an
        // actuator drive.
        VtObjectContainer* rate_cell = columns.at(1);
        VtObjectContainer* rate_group = placeGroup(layout, rate_cell, false);
        own.rate_groups[t].record(rate_group);
        own.targets[t].record(placeInputNumberInRow(pool, rate_group, nullptr, layout.font[2], 1, 0, 0, 0));
        VtObjectContainer* preset_group = placeGroup(layout, rate_cell, true);
        own.preset_groups[t].record(preset_group);
        const Seeder_switched_number preset = placeSwitchedNumber(layout, preset_group, 1, 0);
        placeUnitInRow(layout, preset_group, "%", 1, 0, preset.input);
        preset.output->setWidth(preset.input->getWidth());
        recordSwitchedNumber(preset, own.preset_variables[t], own.preset_inputs[t], own.preset_outputs[t],
                             own.preset_pointers[t]);

        own.revs[t].record(placeNumberInRow(pool, columns.at(2), layout.font[2], 1, 0, 0, 0));
        own.estimated_weights[t].record(placeNumberInRow(pool, columns.at(3), layout.font[2], 1, 0, 0, 0));
        VtObjectOutputFieldNumber* load = placeNumberInRow(pool, columns.at(4), layout.font[2], 1, 0, 0, 0);
        placeUnitInRow(layout, columns.at(4), "%", 1, 0, load);
        own.loads[t].record(load);
    }
    addRowSeparators(layout, rows);

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, white);
    for (Pointer_id& slot : own.key_slots)
        slot.record(addSoftKeyPointer(pool, keys));
    own.product_settings_key.record(createSlotKey(layout, 29, "Product", "Settings"));
    own.main_key.record(createSlotKey(layout, 17, "Main", "Screen"));
    own.next_key.record(createSlotKey(layout, 8, "Next"));
    own.reset_key.record(createSlotKey(layout, 59, "Reset"));
    VtObjectKey* master = createSlotKey(layout, 6, "Master");
    own.master_key.record(master);
    // Red or green as the master switch is off or on.
    VtObjectRectangle* indicator = createRectangle(pool, 16, 16, layout.line_thin, layout.fill_red);
    addToKey(master, 5, 20, indicator);
    own.master_indicator.record(indicator);
    own.cal_style_key.record(createSlotKey(layout, 88, "Cal", "Style"));
}
