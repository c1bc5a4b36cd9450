#pragma once
#include "vt_pool/Seeder_frame.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <string>
#include <vector>

// Pieces that the history, product, calibration, area-test, alarm and
// upgrade screens are made of. Labels use font 0 (cells) or 12 (rows),
// inputs and values font 2, units font 15.

// Samples that size the fields the running screens write: a product name
// (at most 19 characters) and a line of instructions.
extern const char* const name_sample;
extern const char* const instruction_sample;

// A white data mask cut by createRows mode 2 into the top row and four value
// rows, the title centred in the top row in font 7 (none when empty).
VtObjectDataMask* createTitledMask(Seeder_layout& layout, Seeder_frame_list& rows, const std::string& title);
// As createTitledMask, the value rows cut by createGrid into `column_count`
// cells each, under separators.
VtObjectDataMask* createTitledGrid(Seeder_layout& layout, Seeder_frame_list& rows, Seeder_grid_cells& cells,
                                   uint32_t column_count, const std::string& title);
// A separator at the top of each value row.
void addRowSeparators(Seeder_layout& layout, const Seeder_frame_list& rows);

// A label in the upper half of the cell over a value in its lower half.
VtObjectOutputFieldNumber* placeLabelledNumber(Seeder_layout& layout, VtObjectContainer* cell,
                                               const std::string& label);
VtObjectInputFieldNumber* placeLabelledInput(Seeder_layout& layout, VtObjectContainer* cell, const std::string& label);
VtObjectInputFieldList* placeLabelledList(Seeder_layout& layout, VtObjectContainer* cell, const std::string& label,
                                          const std::vector<std::string>& texts);
// A unit (or a sample that sizes one) at the right end of the row; the
// field beside it, if any, is narrowed to end left of it.
VtObjectOutputFieldString* placeUnitInRow(Seeder_layout& layout, VtObjectContainer* cell, const std::string& text,
                                          uint32_t rows, uint32_t row, VtObject* beside = nullptr);

// A number shown through a pointer: as an Input Number while the running
// screen lets it be edited, else as an Output Number of the same variable.
// Both wait in a hidden container; the pointer shows the input at first.
struct Seeder_switched_number {
    VtObjectNumberVariable* variable;
    VtObjectInputFieldNumber* input;
    VtObjectOutputFieldNumber* output;
    VtObjectPointer* pointer;
};
Seeder_switched_number placeSwitchedNumber(Seeder_layout& layout, VtObjectContainer* cell, uint32_t rows,
                                           uint32_t row);
void recordSwitchedNumber(const Seeder_switched_number& number, Number_variable_id& variable,
                          Input_number_id& input, Output_number_id& output, Pointer_id& pointer);

// A container of the cell's size over the whole cell, for contents that the
// running screen shows or hides together.
VtObjectContainer* placeGroup(Seeder_layout& layout, VtObjectContainer* cell, bool hidden);
// A group holding one button (font 14) in band `band` of `bands`.
VtObjectContainer* placeButtonGroup(Seeder_layout& layout, VtObjectContainer* cell, uint32_t colour,
                                    uint8_t key_code, const char* text, uint32_t bands, uint32_t band,
                                    Button_id& button, bool hidden);

// A soft key made outside any soft-key mask, white with font 1: the running
// screen shows it through a soft-key place.
VtObjectKey* createSlotKey(Seeder_layout& layout, uint8_t key_code, const char* text1, const char* text2 = nullptr);

// An alarm's list items: "Disabled" (0) and "Enabled" (1).
extern const std::vector<std::string> on_off_texts;

// The soft keys of the three history pages: 10, 16, 14 and 17.
void addHistoryKeys(Seeder_layout& layout, History_screen_keys& keys);
// The soft keys of the alarm settings pages: 29, 14 and 17.
void addAlarmKeys(Seeder_layout& layout, Alarm_screen_keys& keys);
// An alarm's on/off list ("Disabled", "Enabled") under its label.
VtObjectInputFieldList* placeOnOffCell(Seeder_layout& layout, VtObjectContainer* cell, const std::string& label);
// The per-tank alarm pages, one tank a row of two cells. `format` holds
// "%d" for the tank number. Two alarms: each cell a label over its list.
void buildTankAlarmPairs(Seeder_layout& layout, Tank_alarm_pair_ids& own, const std::string& title,
                         const char* first_format, const char* second_format);
// One alarm: the label in the left cell, the list in the right one.
void buildTankAlarmRows(Seeder_layout& layout, Tank_alarm_row_ids& own, const std::string& title,
                        const char* format);
// The label in the left cell, the on/off list in the right one.
VtObjectInputFieldList* placeOnOffRow(Seeder_layout& layout, VtObjectContainer* left, VtObjectContainer* right,
                                      const std::string& label);

// Element i of the list; null past its end.
VtObject* listElement(VtPool& pool, VtObjectInputFieldList* list, uint32_t i);
