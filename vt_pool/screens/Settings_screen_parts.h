#pragma once
#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

#include <string>
#include <vector>

// What the settings screens of the seeder and its drives are made of: a
// white mask under a title, fields that are a label over an input, and the
// navigation keys they share.
namespace Settings_screen_parts {

using Texts = std::vector<std::string>;

inline const std::vector<std::string> disabled_enabled = {"Disabled", "Enabled"};

// A white data mask, recorded.
inline VtObjectDataMask* whiteMask(Seeder_layout& layout, Mask_id& id)
{
    VtObjectDataMask* mask = createDataMask(layout.pool);
    id.record(mask);
    mask->setBackgroundColour(VtColour(1));
    return mask;
}

// The screen's title in font 7 across the top row.
inline void placeTitle(Seeder_layout& layout, VtObjectContainer* top, const char* title)
{
    Seeder_frame_list columns;
    createColumns(layout, columns, 5, top);
    placeLabelInRow(layout.pool, columns.at(0), title, layout.font[7], 1, 0);
}

// A white mask cut into the top row and four rows, with its title.
inline VtObjectDataMask* titledMask(Seeder_layout& layout, Mask_id& id, Seeder_frame_list& rows, const char* title)
{
    VtObjectDataMask* mask = whiteMask(layout, id);
    createRows(layout, rows, 2, mask);
    placeTitle(layout, rows.at(0), title);
    return mask;
}

// The top row of a drive screen: "Tank" over the number of the tank it
// edits in the first fifth, the title in the rest. Returns the number field.
inline VtObjectOutputFieldNumber* placeDriveTitle(Seeder_layout& layout, VtObjectContainer* top, const char* title)
{
    Seeder_frame_list columns;
    createColumns(layout, columns, 2, top);
    placeLabelInRow(layout.pool, columns.at(0), "Tank", layout.font[0], 2, 0);
    VtObjectOutputFieldNumber* number = placeNumberInRow(layout.pool, columns.at(0), layout.font[2], 2, 1, 0, 0);
    placeLabelInRow(layout.pool, columns.at(1), title, layout.font[7], 1, 0);
    return number;
}

// A white mask cut into a grid of `rows` rows of `columns` cells under the
// top row.
inline Seeder_grid_cells gridMask(Seeder_layout& layout, Mask_id& id, Seeder_frame_list& rows, uint32_t columns,
                                  uint32_t row_count)
{
    Seeder_grid_cells grid;
    createGrid(layout, rows, grid, 2, columns, row_count, whiteMask(layout, id));
    return grid;
}

// gridMask with the title across the top row.
inline Seeder_grid_cells titledGrid(Seeder_layout& layout, Mask_id& id, const char* title, uint32_t columns,
                                    uint32_t row_count)
{
    Seeder_frame_list rows;
    Seeder_grid_cells grid = gridMask(layout, id, rows, columns, row_count);
    placeTitle(layout, rows.at(0), title);
    return grid;
}

// gridMask with a drive screen's top row; records its tank number field.
inline Seeder_grid_cells driveGrid(Seeder_layout& layout, Mask_id& id, Output_number_id& tank_number,
                                   const char* title, uint32_t columns, uint32_t row_count)
{
    Seeder_frame_list rows;
    Seeder_grid_cells grid = gridMask(layout, id, rows, columns, row_count);
    tank_number.record(placeDriveTitle(layout, rows.at(0), title));
    return grid;
}

// A separator at the top of each of the four rows under the title.
inline void separateRows(Seeder_layout& layout, const Seeder_frame_list& rows)
{
    for (uint32_t r = 1; r <= 4; ++r)
        addToContainer(rows.at(r), 0, 0, createHorizontalLine(layout.pool, layout.width, layout.line_sep));
}

// A row of one field: its label in the left half, returns the right half
// that takes the input.
inline VtObjectContainer* labelledRow(Seeder_layout& layout, VtObjectContainer* row, const char* label)
{
    Seeder_frame_list columns;
    createColumns(layout, columns, 8, row);
    placeTextInRow(layout.pool, columns.at(0), label, layout.font[12], 1, 0, 1);
    return columns.at(1);
}

// A container of the cell's size over the whole cell, for what is shown and
// hidden as one.
inline VtObjectContainer* overlay(Seeder_layout& layout, VtObjectContainer* cell, bool hidden)
{
    if (!cell)
        return nullptr;
    VtObjectContainer* container = createContainerLike(layout.pool, *cell);
    container->setHidden(hidden);
    addToContainer(cell, 0, 0, container);
    return container;
}

// A field's label in the upper half of the cell, on one line or two.
inline void labelCell(Seeder_layout& layout, VtObjectContainer* cell, const char* line1, const char* line2)
{
    if (line2) {
        placeLabelInRow(layout.pool, cell, line1, layout.font[0], 4, 0);
        placeLabelInRow(layout.pool, cell, line2, layout.font[0], 4, 1);
    } else {
        placeLabelInRow(layout.pool, cell, line1, layout.font[0], 2, 0);
    }
}

// A labelled Input List in the cell: the label above, the list below with
// its options in order in that font.
inline VtObjectInputFieldList* listCell(Seeder_layout& layout, VtObjectContainer* cell, const char* line1,
                                        const char* line2, const Texts& options, const VtObjectFontAttribute* font)
{
    labelCell(layout, cell, line1, line2);
    return placeInputListInRow(layout.pool, cell, font, 2, 1, options);
}

inline VtObjectInputFieldList* listCell(Seeder_layout& layout, VtObjectContainer* cell, const char* label,
                                        const Texts& options)
{
    return listCell(layout, cell, label, nullptr, options, layout.font[2]);
}

// A labelled Input Number in the cell.
inline VtObjectInputFieldNumber* numberCell(Seeder_layout& layout, VtObjectContainer* cell, const char* label)
{
    labelCell(layout, cell, label, nullptr);
    return placeInputNumberInRow(layout.pool, cell, nullptr, layout.font[2], 2, 1, 0, 0);
}

// The ID of the list's option at that index; 65535 past its last.
inline uint16_t optionOf(VtObjectInputFieldList* list, uint32_t index)
{
    const VtObjectListEntry* entry = list ? list->getElements().at(index) : nullptr;
    return entry ? entry->oid : 0xFFFF;
}

// A white soft-key mask for the current mask.
inline VtObjectSoftKeyMask* softKeys(Seeder_layout& layout)
{
    return createSoftKeyMask(layout.pool, 1);
}

inline VtObjectKey* addWhiteKey(Seeder_layout& layout, VtObjectSoftKeyMask* keys, uint8_t code, const char* text1,
                                const char* text2)
{
    return addKey(layout.pool, keys, 1, code, text1, text2, layout.font[1]);
}

// The keys back to the seeder menu, the settings menu and the main screen.
inline void addSeederKeys(Seeder_layout& layout, VtObjectSoftKeyMask* keys, Key_id& seeder, Key_id& settings,
                          Key_id& main)
{
    seeder.record(addWhiteKey(layout, keys, 16, "Seeder", "Menu"));
    settings.record(addWhiteKey(layout, keys, 14, "Settings", "Menu"));
    main.record(addWhiteKey(layout, keys, 17, "Main", "Screen"));
}

// The soft-key mask of a drive screen: tank settings, seeder menu,
// settings and main screen.
inline void addDriveKeys(Seeder_layout& layout, Drive_screen_keys& ids)
{
    VtObjectSoftKeyMask* keys = softKeys(layout);
    ids.tank_settings_key.record(addWhiteKey(layout, keys, 15, "Tank", "Settings"));
    ids.seeder_key.record(addWhiteKey(layout, keys, 16, "Seeder", "Menu"));
    ids.settings_key.record(addWhiteKey(layout, keys, 14, "Settings", "Mask"));
    ids.main_key.record(addWhiteKey(layout, keys, 17, "Main", "Screen"));
}

// A proportional valve's control settings screen: its seven lists two a
// row, and the button back to the screen it came from in the last cell.
inline void buildValveControlScreen(Seeder_layout& layout, Mask_id& mask, Drive_screen_keys& keys,
                                    Output_number_id& tank_number, Valve_control_lists& lists, Button_id& button,
                                    const char* button_text)
{
    const auto cell = driveGrid(layout, mask, tank_number, "PValve Control Settings", 2, 4).cells;
    lists.add_dither.record(listCell(layout, cell[0], "Add Dither", disabled_enabled));
    lists.min_pwm.record(listCell(layout, cell[1], "Min PWM", {"5%", "10%", "15%", "20%", "25%", "30%", "35%", "40%"}));
    lists.soft_start.record(listCell(layout, cell[2], "Soft Start", disabled_enabled));
    lists.max_pwm.record(
        listCell(layout, cell[3], "Max PWM", {"100%", "95%", "90%", "85%", "80%", "75%", "70%", "65%"}));
    lists.soft_stop.record(listCell(layout, cell[4], "Soft Stop", disabled_enabled));
    lists.response.record(
        listCell(layout, cell[5], "Controller Resp", {"Fastest", "Medium Fast", "Medium Slow", "Slowest"}));
    lists.dump_valve.record(listCell(layout, cell[6], "Dump Valve", {"Disabled", "Enabled", "Reversed"}));
    button.record(createMenuButton(layout, cell[7], 71, button_text));
    addDriveKeys(layout, keys);
}

}
