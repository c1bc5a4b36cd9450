#include "vt_pool/screens/Settings_screen_parts.h"

#include <string>

using namespace Settings_screen_parts;

namespace {

// Sizes the instruction line, which the running screen fills.
const std::string instruction_sample = "Instructions String" + std::string(70, '.');

// Lines of the instruction field; its text wraps.
constexpr uint32_t instruction_lines = 4;
constexpr uint8_t transparent_and_wrapping = 3;

}

// The wheel calibration wizard: the factor, the pulses counted, the
// estimated and the travelled distance and the step's instruction. Start,
// Next and Accept appear through soft-key slots as the step needs them.
void Seeder_screens::WheelCalibrationMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Wheel_calibration_ids& own = ids.wheel_calibration;
    Seeder_frame_list rows;
    titledMask(layout, own.mask, rows, "Wheel Calibration");
    const VtObjectFontAttribute* value_font = layout.font[2];

    Seeder_frame_list columns;
    createColumns(layout, columns, 9, rows.at(1));
    placeTextInRow(pool, columns.at(0), "Wheel Factor", layout.font[12], 1, 0, 1);
    own.factor.record(placeNumberInRow(pool, columns.at(1), value_font, 1, 0, 0, 0));
    placeLabelInRow(pool, columns.at(2), "/pulse", layout.font[15], 1, 0);

    createColumns(layout, columns, 9, rows.at(2));
    placeTextInRow(pool, columns.at(0), "Pulses", layout.font[12], 1, 0, 1);
    own.pulses.record(placeNumberInRow(pool, columns.at(1), value_font, 1, 0, 0, 0));

    createColumns(layout, columns, 9, rows.at(3));
    labelCell(layout, columns.at(0), "Estimated", "Distance");
    own.estimated_distance.record(placeNumberInRow(pool, columns.at(1), value_font, 1, 0, 0, 0));
    // The distance travelled shows as a value and is typed in at one step:
    // the pointer shows the output or the input, both on one variable.
    VtObjectNumberVariable* distance = createNumberVariable(pool, 0);
    VtObjectPointer* pointer = createObjectPointer(pool);
    VtObjectOutputFieldNumber* shown = placeNumberPointerInRow(pool, columns.at(2), pointer, value_font, 1, 0);
    shown->setVariableReference(distance->getOid());
    VtObjectInputFieldNumber* input =
        createInputNumber(pool, shown->getWidth(), shown->getHeight(), distance, value_font);
    input->setHorizontalJustification(2);
    input->setEnabled(true);
    own.distance_variable.record(distance);
    own.distance_input.record(input);
    own.distance_output.record(shown);
    own.distance_pointer.record(pointer);

    VtObjectOutputFieldString* instruction =
        placeTextInRow(pool, rows.at(4), instruction_sample, layout.font[0], 1, 0, instruction_lines);
    instruction->setOptions(transparent_and_wrapping);
    own.instruction.record(instruction);
    separateRows(layout, rows);

    VtObjectSoftKeyMask* keys = softKeys(layout);
    own.cancel_key.record(addWhiteKey(layout, keys, 9, "Cancel", nullptr));
    own.start_key.record(createKey(pool, 1, 58, "Start", nullptr, layout.font[1]));
    own.accept_key.record(createKey(pool, 1, 7, "Accept", nullptr, layout.font[1]));
    own.next_key.record(createKey(pool, 1, 8, "Next", nullptr, layout.font[1]));
    own.start_slot.record(addSoftKeyPointer(pool, keys));
    own.next_slot.record(addSoftKeyPointer(pool, keys));
    own.accept_slot.record(addSoftKeyPointer(pool, keys));
}
