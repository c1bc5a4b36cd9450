#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

#include <string>

// How much product each tank holds after filling: per tank its content and
// the step of the INC and DEC keys, each with its units.
namespace {

// An Input Number of tenths, from 0 to `max` tenths, in the upper half of
// the cell; its units string, sized by a sample it does not show, in the
// lower half.
VtObjectInputFieldNumber* placeTenths(Seeder_layout& layout, VtObjectContainer* cell, uint32_t max,
                                      Output_string_id& units)
{
    VtPool& pool = layout.pool;
    VtObjectInputFieldNumber* input = placeInputNumberInRow(pool, cell, nullptr, layout.font[2], 2, 0, 0, 0);
    input->setMaxValue(max);
    input->setScale(0.1);
    input->setNumberOfDecimals(1);
    VtObjectOutputFieldString* unit = placeLabelInRow(pool, cell, "12345", layout.font[0], 2, 1);
    unit->setValue(std::string(unit->getValue().size(), ' '));
    units.record(unit);
    return input;
}

}

void Seeder_screens::TankFillMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Tank_fill_ids& own = ids.tank_fill;
    Tank_fill_more_ids& more = ids.tank_fill_more;
    VtObjectDataMask* mask = createDataMask(pool);
    own.mask.record(mask);
    mask->setBackgroundColour(VtColour(1));

    Seeder_frame_list rows;
    createRows(layout, rows, 1, mask);
    Seeder_frame_list halves;
    createColumns(layout, halves, 8, rows.at(0));
    placeLabelInRow(pool, halves.at(0), "Tank Fill", layout.font[7], 1, 0);

    // The tank selection where two tanks or more are in use, the heading
    // alone otherwise.
    VtObjectContainer* multi = createContainerLike(pool, *halves.at(1));
    addToContainer(halves.at(1), 0, 0, multi);
    own.multi_tank_container.record(multi);
    Seeder_frame_list select;
    createColumns(layout, select, 8, multi);
    placeTextInRow(pool, select.at(0), "Select", layout.font[12], 1, 0, 1);
    VtObjectInputFieldList* list =
        placeInputListInRow(pool, select.at(1), layout.font[2], 1, 0, {"  1  ", "  2  ", "  3  ", "  4  ", " All "});
    own.tank_list.record(list);
    for (uint32_t i = 0; i < own.list_items.size(); ++i)
        own.list_items[i].record(pool.get(list->getElements().at(i)->oid));
    VtObjectContainer* single = createContainerLike(pool, *halves.at(1));
    single->setHidden(true);
    addToContainer(halves.at(1), 0, 0, single);
    placeTextInRow(pool, single, "Tank", layout.font[12], 1, 0, 1);
    own.single_tank_container.record(single);

    VtObjectContainer* band = rows.at(1);
    const int32_t y = int32_t(layout.spacing_b);
    addToContainer(band, int32_t(layout.spacing_a), y, createLabel(pool, "Tank", layout.font[6], 0));
    addToContainer(band, int32_t(layout.fifth_width) + 2, y, createLabel(pool, "Volume", layout.font[6], 0));
    addToContainer(band, int32_t(3 * layout.fifth_width) + 2, y, createLabel(pool, "INC/DEC", layout.font[6], 0));

    for (uint32_t t = 0; t < Seeder_pool_ids::tank_count; ++t) {
        VtObjectContainer* row = rows.at(t + 2);
        more.tank_containers[t].record(row);
        addToContainer(row, 0, 0, createHorizontalLine(pool, layout.width, layout.line_sep));
        Seeder_frame_list columns;
        createColumns(layout, columns, 4, row);
        placeLabelInRow(pool, columns.at(0), std::to_string(t + 1), layout.font[8], 1, 0);
        more.fill_levels[t].record(placeTenths(layout, columns.at(1), 999990, more.fill_level_units[t]));
        more.fill_steps[t].record(placeTenths(layout, columns.at(2), 50000, more.fill_step_units[t]));
    }

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    more.fill_key.record(addKey(pool, keys, 1, 1, "Fill", nullptr, layout.font[1]));
    more.increase_key.record(addKey(pool, keys, 1, 4, "INC", nullptr, layout.font[1]));
    more.decrease_key.record(addKey(pool, keys, 1, 5, "DEC", nullptr, layout.font[1]));
    more.settings_key.record(addKey(pool, keys, 1, 15, "Settings", "Menu", layout.font[1]));
    more.main_key.record(addKey(pool, keys, 1, 17, "Main", "Screen", layout.font[1]));
}
