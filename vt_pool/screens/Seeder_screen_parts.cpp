#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/VtPlacement.h"
#include "vt_pool/model/VtColour.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr uint32_t white = 1;

void placeTitle(Seeder_layout& layout, VtObjectContainer* top_row, const std::string& title)
{
    if (title.empty())
        return;
    Seeder_frame_list columns;
    createColumns(layout, columns, 5, top_row);
    placeLabelInRow(layout.pool, columns.at(0), title, layout.font[7], 1, 0);
}

VtObjectDataMask* createWhiteMask(VtPool& pool)
{
    VtObjectDataMask* mask = createDataMask(pool);
    mask->setBackgroundColour(VtColour(white));
    return mask;
}

}

const char* const name_sample = "??????????????????? ";
const char* const instruction_sample =
    "Instructions String......................................................................";
const std::vector<std::string> on_off_texts = {"Disabled", "Enabled"};

VtObjectDataMask* createTitledMask(Seeder_layout& layout, Seeder_frame_list& rows, const std::string& title)
{
    VtObjectDataMask* mask = createWhiteMask(layout.pool);
    createRows(layout, rows, 2, mask);
    placeTitle(layout, rows.at(0), title);
    return mask;
}

VtObjectDataMask* createTitledGrid(Seeder_layout& layout, Seeder_frame_list& rows, Seeder_grid_cells& cells,
                                   uint32_t column_count, const std::string& title)
{
    VtObjectDataMask* mask = createWhiteMask(layout.pool);
    createGrid(layout, rows, cells, 2, column_count, layout.row_count, mask);
    placeTitle(layout, rows.at(0), title);
    return mask;
}

void addRowSeparators(Seeder_layout& layout, const Seeder_frame_list& rows)
{
    for (uint32_t r = 1; r <= layout.row_count; ++r)
        addToContainer(rows.at(r), 0, 0, createHorizontalLine(layout.pool, layout.width, layout.line_sep));
}

VtObjectOutputFieldNumber* placeLabelledNumber(Seeder_layout& layout, VtObjectContainer* cell,
                                               const std::string& label)
{
    placeLabelInRow(layout.pool, cell, label, layout.font[0], 2, 0);
    return placeNumberInRow(layout.pool, cell, layout.font[2], 2, 1, 0, 0);
}

VtObjectInputFieldNumber* placeLabelledInput(Seeder_layout& layout, VtObjectContainer* cell, const std::string& label)
{
    placeLabelInRow(layout.pool, cell, label, layout.font[0], 2, 0);
    return placeInputNumberInRow(layout.pool, cell, nullptr, layout.font[2], 2, 1, 0, 0);
}

VtObjectInputFieldList* placeLabelledList(Seeder_layout& layout, VtObjectContainer* cell, const std::string& label,
                                          const std::vector<std::string>& texts)
{
    placeLabelInRow(layout.pool, cell, label, layout.font[0], 2, 0);
    return placeInputListInRow(layout.pool, cell, layout.font[2], 2, 1, texts);
}

VtObjectOutputFieldString* placeUnitInRow(Seeder_layout& layout, VtObjectContainer* cell, const std::string& text,
                                          uint32_t rows, uint32_t row, VtObject* beside)
{
    if (!cell)
        return nullptr;
    VtObjectOutputFieldString* unit = createLabel(layout.pool, text, layout.font[15], 2);
    const int32_t cw = int32_t(cell->getWidth());
    const int32_t rh = int32_t(cell->getHeight() / rows);
    const int32_t w = std::min(int32_t(unit->getWidth()), cw);
    unit->setWidth(uint32_t(w));
    addToContainer(cell, cw - 3 - w, int32_t(row) * rh + (rh - int32_t(unit->getHeight())) / 2, unit);
    if (beside) {
        const VtSize size = beside->getSize();
        const uint32_t room = uint32_t(w) + 3;
        beside->setSize({size.width > room ? size.width - room : 0, size.height});
    }
    return unit;
}

Seeder_switched_number placeSwitchedNumber(Seeder_layout& layout, VtObjectContainer* cell, uint32_t rows,
                                           uint32_t row)
{
    VtPool& pool = layout.pool;
    Seeder_switched_number number{};
    if (!cell)
        return number;
    const uint32_t width = cell->getWidth() - 2 * pool.margin_x;
    number.variable = createNumberVariable(pool, 0);
    number.input = createInputNumber(pool, width, 0, number.variable, layout.font[2]);
    number.input->setOptions(1);
    number.input->setHorizontalJustification(2);
    number.input->setEnabled(true);
    number.output = createNumberField(pool, width, 0, number.variable, layout.font[2]);
    number.pointer = createObjectPointer(pool);
    number.pointer->setValue(number.input->getOid());
    placeNumberOverInput(pool, cell, number.output, number.input, number.pointer, rows, row, 1);
    return number;
}

void recordSwitchedNumber(const Seeder_switched_number& number, Number_variable_id& variable,
                          Input_number_id& input, Output_number_id& output, Pointer_id& pointer)
{
    variable.record(number.variable);
    input.record(number.input);
    output.record(number.output);
    pointer.record(number.pointer);
}

VtObjectContainer* placeGroup(Seeder_layout& layout, VtObjectContainer* cell, bool hidden)
{
    if (!cell)
        return nullptr;
    VtObjectContainer* group = createContainerLike(layout.pool, *cell);
    group->setHidden(hidden);
    addToContainer(cell, 0, 0, group);
    return group;
}

VtObjectContainer* placeButtonGroup(Seeder_layout& layout, VtObjectContainer* cell, uint32_t colour,
                                    uint8_t key_code, const char* text, uint32_t bands, uint32_t band,
                                    Button_id& button, bool hidden)
{
    VtObjectContainer* group = placeGroup(layout, cell, hidden);
    if (!group)
        return nullptr;
    VtObjectButton* made =
        createButton(layout.pool, cell->getWidth() - 2 * layout.inset, 0, colour, key_code, text, layout.font[14]);
    placeButtonInBand(layout.pool, group, made, bands, band, 1);
    button.record(made);
    return group;
}

VtObjectKey* createSlotKey(Seeder_layout& layout, uint8_t key_code, const char* text1, const char* text2)
{
    return createKey(layout.pool, white, key_code, text1, text2, layout.font[1]);
}

void addHistoryKeys(Seeder_layout& layout, History_screen_keys& keys)
{
    VtPool& pool = layout.pool;
    VtObjectSoftKeyMask* mask = createSoftKeyMask(pool, white);
    keys.history_key.record(addKey(pool, mask, white, 10, "History", "Menu", layout.font[1]));
    keys.seeder_key.record(addKey(pool, mask, white, 16, "Seeder", "Menu", layout.font[1]));
    keys.settings_key.record(addKey(pool, mask, white, 14, "Settings", "Menu", layout.font[1]));
    keys.main_key.record(addKey(pool, mask, white, 17, "Main", "Screen", layout.font[1]));
}

void addAlarmKeys(Seeder_layout& layout, Alarm_screen_keys& keys)
{
    VtPool& pool = layout.pool;
    VtObjectSoftKeyMask* mask = createSoftKeyMask(pool, white);
    keys.alarms_menu_key.record(addKey(pool, mask, white, 29, "Alarms", "Menu", layout.font[1]));
    keys.settings_key.record(addKey(pool, mask, white, 14, "Settings", "Menu", layout.font[1]));
    keys.main_key.record(addKey(pool, mask, white, 17, "Main", "Screen", layout.font[1]));
}

VtObjectInputFieldList* placeOnOffCell(Seeder_layout& layout, VtObjectContainer* cell, const std::string& label)
{
    return placeLabelledList(layout, cell, label, on_off_texts);
}

namespace {

std::string tankText(const char* format, uint32_t tank)
{
    char text[64];
    std::snprintf(text, sizeof text, format, int(tank));
    return text;
}

}

void buildTankAlarmPairs(Seeder_layout& layout, Tank_alarm_pair_ids& own, const std::string& title,
                         const char* first_format, const char* second_format)
{
    Seeder_frame_list rows;
    Seeder_grid_cells grid;
    own.mask.record(createTitledGrid(layout, rows, grid, 2, title));
    for (uint32_t t = 0; t < 4; ++t) {
        own.first_lists[t].record(placeOnOffCell(layout, grid.cells[2 * t], tankText(first_format, t + 1)));
        own.second_lists[t].record(placeOnOffCell(layout, grid.cells[2 * t + 1], tankText(second_format, t + 1)));
        own.left_cells[t].record(grid.cells[2 * t]);
        own.right_cells[t].record(grid.cells[2 * t + 1]);
    }
    addAlarmKeys(layout, own.keys);
}

void buildTankAlarmRows(Seeder_layout& layout, Tank_alarm_row_ids& own, const std::string& title,
                        const char* format)
{
    Seeder_frame_list rows;
    Seeder_grid_cells grid;
    own.mask.record(createTitledGrid(layout, rows, grid, 2, title));
    for (uint32_t t = 0; t < 4; ++t) {
        own.lists[t].record(placeOnOffRow(layout, grid.cells[2 * t], grid.cells[2 * t + 1], tankText(format, t + 1)));
        own.left_cells[t].record(grid.cells[2 * t]);
        own.right_cells[t].record(grid.cells[2 * t + 1]);
    }
    addAlarmKeys(layout, own.keys);
}

VtObjectInputFieldList* placeOnOffRow(Seeder_layout& layout, VtObjectContainer* left, VtObjectContainer* right,
                                      const std::string& label)
{
    placeTextInRow(layout.pool, left, label, layout.font[12], 1, 0, 1);
    return placeInputListInRow(layout.pool, right, layout.font[2], 1, 0, on_off_texts);
}

VtObject* listElement(VtPool& pool, VtObjectInputFieldList* list, uint32_t i)
{
    const VtObjectListEntry* element = list ? list->getElements().at(i) : nullptr;
    return element ? pool.get(element->oid) : nullptr;
}
