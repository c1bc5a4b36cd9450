#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

#include <string>
#include <vector>

// The operating screen: a status line over four tank rows, two pages of
// soft keys. Its arrangement is its own; only the objects, their codes,
// fonts and colours are fixed.
namespace {

constexpr uint32_t white = 1;
constexpr uint32_t green = 2;
constexpr uint32_t red = 12;
constexpr uint8_t all_edges = 0x0F;

// An enabled Input List whose elements are the texts in order, each as
// large as the list so that every choice fills it the same way;
// `items`, when given, records one label per text.
VtObjectInputFieldList* createLabelList(Seeder_layout& layout, const std::vector<std::string>& texts,
                                        Output_string_id* items)
{
    VtPool& pool = layout.pool;
    const uint32_t width = layout.fifth_width - 6;
    const uint32_t height = layout.row_pitch / 3;
    VtObjectInputFieldList* list = createInputList(pool, width, height, nullptr);
    for (size_t i = 0; i < texts.size(); ++i) {
        VtObjectOutputFieldString* label = createTextBox(pool, texts[i], layout.font[11], width, height);
        list->addElement(label->getOid());
        if (items)
            items[i].record(label);
    }
    list->setEnabled(true);
    return list;
}

// A column of the status line: its heading in the top quarter, its values
// centred in the rest.
struct Status_column {
    Status_column(Seeder_layout& layout, VtObjectContainer* column, const char* heading)
        : layout(layout), column(column), top(int32_t(column->getHeight() / 4)),
          rest(int32_t(column->getHeight()) - top)
    {
        placeLabelInRow(layout.pool, column, heading, layout.font[0], 4, 0);
    }

    void centre(VtObject* object) const
    {
        const VtSize size = object->getSize();
        addToContainer(column, (int32_t(column->getWidth()) - int32_t(size.width)) / 2,
                       top + (rest - int32_t(size.height)) / 2, object);
    }
    // A value field of the column's width, centred, moved down by dy.
    VtObjectOutputFieldNumber* value(int32_t dy = 0) const
    {
        return placeNumberInRow(layout.pool, column, layout.font[2], 1, 0, 0, top / 2 + dy);
    }
    // A container of half the value area holding a value field, `half` 0
    // above 1; the screen shows or hides it.
    VtObjectContainer* halfBox(uint32_t half, VtObjectOutputFieldNumber*& field) const
    {
        VtObjectContainer* box = createContainer(layout.pool, column->getWidth(), uint32_t(rest / 2));
        addToContainer(column, 0, top + int32_t(half) * (rest / 2), box);
        field = placeNumberInRow(layout.pool, box, layout.font[2], 1, 0, 0, 0);
        return box;
    }
    // A container of the whole value area holding the field already made.
    VtObjectContainer* wholeBox(VtObjectOutputFieldNumber* field) const
    {
        VtObjectContainer* box = createContainer(layout.pool, column->getWidth(), uint32_t(rest));
        addToContainer(column, 0, top, box);
        addToContainer(box, 0, (rest - int32_t(field->getHeight())) / 2, field);
        return box;
    }

    Seeder_layout& layout;
    VtObjectContainer* column;
    int32_t top;
    int32_t rest;
};

// Page 1: tank selection, ground speed, area rate and the two fans.
void buildStatusLine(Seeder_pool_ids& ids, Seeder_layout& layout, VtObjectContainer* row)
{
    Main_screen_ids& own = ids.main;
    Seeder_frame_list columns;
    createColumns(layout, columns, 1, row);

    Status_column select(layout, columns.at(0), "Select");
    VtObjectInputFieldList* tanks =
        createLabelList(layout, {"  1  ", "  2  ", "  3  ", "  4  ", " All "}, own.tank_list_items.data());
    select.centre(tanks);
    own.tank_list.record(tanks);

    // "(Manual)" under the heading, the speed under it.
    Status_column speed(layout, columns.at(1), "Speed");
    VtObjectContainer* manual = createBoxedLabel(layout.pool, "(Manual)", layout.font[0], layout.line_thin);
    own.ground_speed.record(speed.value(int32_t(manual->getHeight()) / 2 + 1));
    manual->setHidden(true);
    addToContainer(speed.column, (int32_t(speed.column->getWidth()) - int32_t(manual->getWidth())) / 2, speed.top,
                   manual);
    own.manual_speed_container.record(manual);

    Status_column rate(layout, columns.at(2), "CovRate");
    own.area_rate.record(rate.value());

    // Two fans one above the other; fan 1's field alone in the middle for
    // the one-fan layout.
    const Status_column fans[2] = {{layout, columns.at(3), "Fan RPM"}, {layout, columns.at(4), "Press."}};
    std::array<Output_number_id, 2>* fields[2] = {&own.fan_speeds, &own.fan_pressures};
    for (uint32_t f = 0; f < 2; ++f) {
        VtObjectOutputFieldNumber* fan1 = nullptr;
        VtObjectOutputFieldNumber* fan2 = nullptr;
        own.fan_containers[f * 2].record(fans[f].halfBox(0, fan1));
        own.fan_containers[f * 2 + 1].record(fans[f].halfBox(1, fan2));
        own.fan_containers[4 + f].record(fans[f].wholeBox(fan1));
        (*fields[f])[0].record(fan1);
        (*fields[f])[1].record(fan2);
    }
}

// Page 2, over page 1 and hidden: sub-area, areas, viewed tank and its
// sub-area volume.
void buildAltStatusLine(Seeder_pool_ids& ids, Seeder_layout& layout, VtObjectDataMask* mask,
                        const VtObjectContainer* row)
{
    Main_screen_ids& own = ids.main;
    VtObjectContainer* alt = createContainerLike(layout.pool, *row);
    alt->setHidden(true);
    addToDataMask(mask, 0, 0, alt);
    own.alt_status_row.record(alt);
    Seeder_frame_list columns;
    createColumns(layout, columns, 1, alt);

    Status_column sub_area(layout, columns.at(0), "AreaNum");
    VtObjectInputFieldList* sub_areas = createLabelList(
        layout, {"  1  ", "  2  ", "  3  ", "  4  ", "  5  ", "  6  ", "  7  ", "  8  ", "  9  ", "  10 "}, nullptr);
    sub_area.centre(sub_areas);
    own.sub_area_list.record(sub_areas);
    own.total_area.record(Status_column(layout, columns.at(1), "TotArea").value());
    own.sub_area_area.record(Status_column(layout, columns.at(2), "SubArea").value());
    Status_column viewed(layout, columns.at(3), "TankNum");
    VtObjectInputFieldList* viewed_tanks =
        createLabelList(layout, {"1", "2", "3", "4"}, ids.main_more.viewed_tank_items.data());
    viewed.centre(viewed_tanks);
    own.viewed_tank_list.record(viewed_tanks);
    own.sub_area_volume.record(Status_column(layout, columns.at(4), "Weight").value());
}

// The column headings of the tank rows.
void buildBand(Seeder_layout& layout, VtObjectContainer* band)
{
    VtPool& pool = layout.pool;
    const int32_t b = int32_t(layout.width);
    const int32_t y = int32_t(layout.spacing_b);
    addToContainer(band, int32_t(layout.spacing_a), y, createLabel(pool, "Tank", layout.font[6], 0));
    addToContainer(band, b / 2 + 2, y, createLabel(pool, "Rate", layout.font[6], 0));
    addToContainer(band, 3 * b / 4 + 2, y, createLabel(pool, "ProdRem", layout.font[6], 0));
    addToContainer(band, 0, 0, createHorizontalLine(pool, layout.width, layout.line_sep));
    addToContainer(band, b / 2, 0, createVerticalLine(pool, layout.row_pitch, layout.line_sep));
    addToContainer(band, 3 * b / 4, 0, createVerticalLine(pool, layout.row_pitch, layout.line_sep));
}

// A button in a hidden container of its size at (x, y) of the row.
VtObjectContainer* hiddenButton(Seeder_layout& layout, VtObjectContainer* row, int32_t x, int32_t y,
                                VtObjectButton* button)
{
    VtObjectContainer* box = createContainer(layout.pool, button->getWidth(), button->getHeight());
    box->setHidden(true);
    addToContainer(box, 0, 0, button);
    addToContainer(row, x, y, box);
    return box;
}

// Tank k's row, recorded in its tank record.
void buildTankRow(Seeder_pool_ids& ids, Seeder_layout& layout, VtObjectContainer* row, uint32_t k)
{
    VtPool& pool = layout.pool;
    Seeder_tank_record& record = ids.tank(k);
    const int32_t b = int32_t(layout.width);
    const int32_t pitch = int32_t(layout.row_pitch);
    const uint32_t cell_width = layout.quarter_width - 4;
    const uint32_t cell_height = layout.row_pitch / 2 - 2;
    record.row.record(row);

    // Drawn first, under the rest: its fill shows the selection.
    VtObjectRectangle* frame =
        createRectangle(pool, layout.width, layout.row_pitch, layout.line_thin, layout.fill_white);
    frame->setLineSuppression(all_edges);
    addToContainer(row, 0, 0, frame);
    record.frame.record(frame);

    VtObjectOutputFieldString* heading =
        createLabel(pool, std::to_string(k) + ": Product" + std::to_string(k), layout.font[8], 0);
    addToContainer(row, int32_t(layout.height / 16) + 4, 1, heading);
    record.heading.record(heading);

    VtObjectNumberVariable* rate = createNumberVariable(pool, record.initial_values[0]);
    record.rate_variable.record(rate);
    VtObjectInputFieldNumber* rate_input =
        createInputNumber(pool, layout.quarter_width - 3, layout.row_pitch / 2, rate, layout.font[9]);
    rate_input->setMinValue(0);
    rate_input->setMaxValue(1000);
    rate_input->setScale(0.1);
    rate_input->setNumberOfDecimals(1);
    rate_input->setHorizontalJustification(2);
    rate_input->setEnabled(true);
    addToContainer(row, b / 2 + 2, 1, rate_input);
    record.rate_input.record(rate_input);

    VtObjectContainer* preset1 = createBoxedLabel(pool, "1", layout.font[13], layout.line_thin);
    VtObjectContainer* preset2 = createBoxedLabel(pool, "2", layout.font[13], layout.line_thin);
    for (VtObjectContainer* mark : {preset1, preset2}) {
        mark->setHidden(true);
        addToContainer(row, b / 2 - int32_t(mark->getWidth()) - 2, 1, mark);
    }
    record.boxed_1.record(preset1);
    record.boxed_2.record(preset2);

    VtObjectRectangle* on =
        createRectangle(pool, layout.height / 16, layout.height / 20, layout.line_thin, layout.fill_red);
    addToContainer(row, 2, 2, on);
    record.status_rectangle.record(on);

    // The actual rate under the rate input, and over it the hidden red
    // flash of a rate alarm.
    const int32_t value_y = int32_t(double(pitch) - 2.2 * double(layout.spacing_c) + 1);
    const uint32_t value_height = uint32_t(pitch - value_y - 2);
    VtObjectOutputFieldNumber* actual =
        createNumberField(pool, layout.quarter_width - 3, value_height, nullptr, layout.font[2]);
    addToContainer(row, b / 2 + 2, value_y, actual);
    ids.main_more.actual_rates[k - 1].record(actual);
    VtObjectContainer* flash = createContainer(pool, layout.quarter_width - 3, value_height);
    flash->setHidden(true);
    addToContainer(flash, 0, 0,
                   createRectangle(pool, flash->getWidth(), value_height, layout.line_thin, layout.fill_red));
    VtObjectOutputFieldNumber* flash_number =
        createNumberField(pool, flash->getWidth(), value_height, nullptr, layout.font[10]);
    addToContainer(flash, 0, 0, flash_number);
    addToContainer(row, b / 2 + 2, value_y, flash);
    record.alt_container.record(flash);
    record.alt_number.record(flash_number);

    // The remaining contents on the tank's button, the liquid pressure under
    // it.
    VtObjectOutputFieldNumber* remaining =
        createNumberField(pool, cell_width - 4, cell_height - 4, nullptr, layout.font[14]);
    VtObjectButton* tank_button = createButtonWith(pool, cell_width, cell_height, white, uint8_t(29 + k), remaining);
    addToContainer(row, 3 * b / 4 + 2, 1, tank_button);
    record.tank_button.record(tank_button);
    record.tank_button_number.record(remaining);
    VtObjectContainer* pressure_panel = createContainer(pool, cell_width, cell_height);
    pressure_panel->setHidden(true);
    VtObjectOutputFieldNumber* pressure = createNumberField(pool, cell_width, cell_height, nullptr, layout.font[2]);
    addToContainer(pressure_panel, 0, 0, pressure);
    addToContainer(row, 3 * b / 4 + 2, pitch / 2, pressure_panel);
    record.full_row_container.record(pressure_panel);
    record.full_row_number.record(pressure);

    VtObjectButton* select =
        createButton(pool, cell_width, cell_height, white, uint8_t(53 + k), "SELECT", layout.font[14]);
    addToContainer(row, 2, pitch / 2, select);
    record.select_button.record(select);
    VtObjectButton* man = createButton(pool, cell_width, cell_height, red, uint8_t(83 + k), "MAN", layout.font[14]);
    record.man_container.record(hiddenButton(layout, row, b / 4 + 2, pitch / 2, man));
    record.man_button.record(man);
    VtObjectButton* automatic =
        createButton(pool, cell_width, cell_height, green, uint8_t(79 + k), "AUTO", layout.font[14]);
    record.auto_container.record(hiddenButton(layout, row, b / 4 + 2, pitch / 2, automatic));
    record.auto_button.record(automatic);
}

// A 16 x 16 red mark on the key, the screen's indicator.
VtObjectRectangle* addIndicator(Seeder_layout& layout, VtObjectKey* key, int32_t y)
{
    VtObjectRectangle* mark = createRectangle(layout.pool, 16, 16, layout.line_thin, layout.fill_red);
    addToKey(key, 5, y, mark);
    return mark;
}

void buildSoftKeys(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Main_screen_ids& own = ids.main;
    const VtObjectFontAttribute* font = layout.font[1];

    VtObjectSoftKeyMask* page1 = createSoftKeyMask(pool, white);
    own.page1.record(page1);
    own.page1_toggle_key.record(addKey(pool, page1, white, 1, "Toggle", "Screen", font));
    // The screen empties this slot when an external switch box switches the
    // tanks.
    VtObjectPointer* slot = addSoftKeyPointer(pool, page1);
    VtObjectKey* tank_on_off = createKey(pool, white, 7, "Tank", "ON/Off", font);
    slot->setValue(tank_on_off->getOid());
    own.tank_on_off_slot.record(slot);
    own.tank_on_off_key.record(tank_on_off);
    own.preset_key.record(addKey(pool, page1, white, 3, "Preset", nullptr, font));
    own.increase_key.record(addKey(pool, page1, white, 4, "INC", nullptr, font));
    own.decrease_key.record(addKey(pool, page1, white, 5, "DEC", nullptr, font));
    VtObjectKey* master = addKey(pool, page1, white, 6, "Master", nullptr, font);
    own.master_key.record(master);
    own.master_indicator.record(addIndicator(layout, master, 20));

    VtObjectSoftKeyMask* page2 = createSoftKeyMask(pool, white);
    own.page2.record(page2);
    own.page2_toggle_key.record(addKey(pool, page2, white, 1, "Toggle", "Screen", font));
    own.settings_key.record(addKey(pool, page2, white, 14, "Settings", nullptr, font));
    own.reset_sub_area_key.record(addKey(pool, page2, white, 11, "Reset", "SubArea", font));
    own.reset_area_key.record(addKey(pool, page2, white, 12, "Reset", "Area", font));
    VtObjectKey* manual_speed = addKey(pool, page2, white, 13, "Manual", "Speed", font);
    own.manual_speed_key.record(manual_speed);
    own.manual_speed_indicator.record(addIndicator(layout, manual_speed, 30));
    own.diagnostics_key.record(addKey(pool, page2, white, 19, "Diags.", nullptr, font));
}

}

void Seeder_screens::Main_screen(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtObjectDataMask* mask = createDataMask(layout.pool);
    ids.main.mask.record(mask);
    mask->setBackgroundColour(VtColour(white));

    Seeder_frame_list rows;
    createRows(layout, rows, 1, mask);
    ids.main.status_row.record(rows.at(0));
    buildStatusLine(ids, layout, rows.at(0));
    buildAltStatusLine(ids, layout, mask, rows.at(0));
    buildBand(layout, rows.at(1));
    for (uint32_t k = 1; k <= Seeder_pool_ids::tank_count; ++k)
        buildTankRow(ids, layout, rows.at(k + 1), k);
    buildSoftKeys(ids, layout);
}
