#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

#include <string>

// The raw sensor figures: ground speed and fans, the tank shafts, each
// tank's drive, the bin levels; four rows of four columns, each column a
// heading over two values.
namespace {

constexpr uint32_t value_rows = 3;

// A column's heading inside a container of its own, which the screen shows
// or hides.
VtObjectContainer* placeHeadingBox(VtPool& pool, VtObjectContainer* column, const std::string& text,
                                   const VtObjectFontAttribute* font, uint32_t row)
{
    VtObjectContainer* box = createContainer(pool, 0, 0);
    placeLabelInBox(pool, column, text, box, font, value_rows, row);
    return box;
}

VtObjectOutputFieldNumber* placeValue(Seeder_layout& layout, VtObjectContainer* column, uint32_t row)
{
    return placeNumberInRow(layout.pool, column, layout.font[0], value_rows, row, 0, 0);
}

// Soft-key slots on the mask showing the keys in order.
void addSlots(VtPool& pool, VtObjectSoftKeyMask* mask, const std::array<VtObjectKey*, 4>& keys,
              std::array<Pointer_id, 4>& slots)
{
    for (uint32_t i = 0; i < keys.size(); ++i) {
        VtObjectPointer* slot = addSoftKeyPointer(pool, mask);
        slot->setValue(keys[i]->getOid());
        slots[i].record(slot);
    }
}

}

void Seeder_screens::ActuatorDiagnostics(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Actuator_diagnostics_ids& own = ids.actuator_diagnostics;
    const VtObjectFontAttribute* heading = layout.font[0];
    VtObjectDataMask* mask = createDataMask(pool);
    own.mask.record(mask);
    mask->setBackgroundColour(VtColour(1));

    Seeder_frame_list rows;
    createRows(layout, rows, 2, mask);
    Seeder_frame_list columns;
    createColumns(layout, columns, 5, rows.at(0));
    placeLabelInRow(pool, columns.at(0), "Diagnostics", layout.font[7], 1, 0);
    for (uint32_t r = 1; r <= 4; ++r)
        addToContainer(rows.at(r), 0, 0, createHorizontalLine(pool, layout.width, layout.line_sep));

    // Ground speed, the two fans (their values through a pointer the screen
    // empties for a fan not in use) and the fans' sensors.
    createColumns(layout, columns, 6, rows.at(1));
    placeLabelInRow(pool, columns.at(0), "Ground Spd", heading, value_rows, 0);
    own.ground_speed_period.record(placeValue(layout, columns.at(0), 1));
    own.ground_speed_pulses.record(placeValue(layout, columns.at(0), 2));
    for (uint32_t f = 0; f < 2; ++f) {
        VtObjectContainer* column = columns.at(1 + f);
        own.fan_rows[f].record(column);
        placeLabelInRow(pool, column, "Fan" + std::to_string(f + 1), heading, value_rows, 0);
        VtObjectContainer* values = createContainerLike(pool, *column);
        own.fan_periods[f].record(placeValue(layout, values, 1));
        own.fan_pulses[f].record(placeValue(layout, values, 2));
        own.fan_values[f].record(values);
        own.fan_pointers[f].record(placePointerInRow(pool, column, values->getOid(), 1, 0, 0, -1));
    }
    placeLabelInRow(pool, columns.at(3), "Fan ADC", heading, value_rows, 0);
    for (uint32_t f = 0; f < 2; ++f)
        own.fan_sensors[f].record(placeValue(layout, columns.at(3), 1 + f));

    createColumns(layout, columns, 6, rows.at(2));
    for (uint32_t t = 0; t < 4; ++t) {
        VtObjectContainer* column = columns.at(t);
        own.shaft_rows[t].record(column);
        placeLabelInRow(pool, column, "Shaft" + std::to_string(t + 1), heading, value_rows, 0);
        own.shaft_periods[t].record(placeValue(layout, column, 1));
        own.shaft_pulses[t].record(placeValue(layout, column, 2));
    }

    // Each tank's drive: one of three headings by its kind of drive, the
    // output and the motor current through pointers.
    createColumns(layout, columns, 6, rows.at(3));
    for (uint32_t t = 0; t < 4; ++t) {
        VtObjectContainer* column = columns.at(t);
        const std::string n = std::to_string(t + 1);
        own.act_labels[t].record(placeHeadingBox(pool, column, "Act " + n + " %", heading, 0));
        own.elec_labels[t].record(placeHeadingBox(pool, column, "Elec " + n, heading, 0));
        own.pv_labels[t].record(placeHeadingBox(pool, column, "PV " + n + " %", heading, 0));
        VtObjectPointer* drive = createObjectPointer(pool);
        own.drive_outputs[t].record(placeNumberPointerInRow(pool, column, drive, layout.font[0], value_rows, 1));
        own.drive_pointers[t].record(drive);
        VtObjectPointer* current = createObjectPointer(pool);
        own.motor_currents[t].record(placeNumberPointerInRow(pool, column, current, layout.font[0], value_rows, 2));
        own.current_pointers[t].record(current);
    }

    createColumns(layout, columns, 6, rows.at(4));
    for (uint32_t t = 0; t < 4; ++t) {
        VtObjectContainer* column = columns.at(t);
        own.bin_rows[t].record(column);
        placeLabelInRow(pool, column, "Bin " + std::to_string(t + 1) + " Lev", heading, value_rows, 0);
        own.bin_empty[t].record(placeHeadingBox(pool, column, "Empty", layout.font[2], 1));
        own.bin_full[t].record(placeHeadingBox(pool, column, "Full", layout.font[2], 1));
    }

    // The keys live outside both masks and show through slots; the screen
    // attaches the mask with the toggle key when a liquid tank senses
    // pressure.
    VtObjectSoftKeyMask* plain = createSoftKeyMask(pool, 1);
    own.plain_keys.record(plain);
    VtObjectSoftKeyMask* with_toggle = createSoftKeyMask(pool, 1);
    own.toggle_keys.record(with_toggle);
    own.toggle_key.record(addKey(pool, with_toggle, 1, 1, "Toggle", "Screen", layout.font[1]));
    const std::array<VtObjectKey*, 4> keys = {
        createKey(pool, 1, 65, "System", "Info", layout.font[1]),
        createKey(pool, 1, 17, "Main", "Screen", layout.font[1]),
        createKey(pool, 1, 59, "Reset", nullptr, layout.font[1]),
        createKey(pool, 1, 98, "Blocked", "Head", layout.font[1]),
    };
    own.system_info_key.record(keys[0]);
    own.main_key.record(keys[1]);
    own.reset_key.record(keys[2]);
    own.blocked_head_key.record(keys[3]);
    addSlots(pool, plain, keys, own.plain_slots);
    addSlots(pool, with_toggle, keys, own.toggle_slots);
}
