#include "vt_pool/screens/Seeder_screen_parts.h"
#include "vt_pool/screens/Seeder_screens.h"

namespace {

constexpr uint8_t cal_factor_code = 113;

}

// One product of the library and the tank it is on. The calibration factor
// is either typed in or found by a calibration run behind a button; the
// running screen shows one of the two groups.
void Seeder_screens::ProductSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Product_settings_ids& own = ids.product_settings;
    Seeder_frame_list rows;
    Seeder_grid_cells grid;
    own.mask.record(createTitledGrid(layout, rows, grid, 2, "Product Settings"));
    const auto cell = [&grid](uint32_t i) { return grid.cells[i]; };

    placeLabelInRow(pool, cell(0), "Product Name", layout.font[0], 2, 0);
    VtObjectInputFieldString* name = placeInputStringInRow(pool, cell(0), nullptr, layout.font[2], 2, 1);
    if (name)
        name->setValue(name_sample);
    own.name.record(name);

    VtObjectInputFieldList* tanks = placeLabelledList(layout, cell(1), "Tank Number", {"1", "2", "3", "4", "OFF"});
    own.tank_list.record(tanks);
    for (uint32_t t = 0; t < 5; ++t)
        ids.product_settings_more.tank_items[t].record(listElement(pool, tanks, t));

    own.density.record(placeLabelledInput(layout, cell(2), "Density"));
    VtObjectInputFieldNumber* rate_1 = placeLabelledInput(layout, cell(3), "Preset Rate 1");
    own.rate_1.record(rate_1);
    own.rate_units.record(placeUnitInRow(layout, cell(3), "12345", 2, 1, rate_1));
    own.rate_2.record(placeLabelledInput(layout, cell(4), "Preset Rate 2"));

    VtObjectContainer* cal = cell(5);
    placeLabelInRow(pool, cal, "Cal. Factor", layout.font[0], 2, 0);
    own.cal_button_group.record(
        placeButtonGroup(layout, cal, 1, cal_factor_code, "Cal Factor", 2, 1, own.cal_factor_button, false));
    VtObjectContainer* factor_group = placeGroup(layout, cal, true);
    VtObjectInputFieldNumber* factor = placeInputNumberInRow(pool, factor_group, nullptr, layout.font[2], 2, 1, 0, 0);
    own.cal_factor_group.record(factor_group);
    own.cal_factor.record(factor);
    own.cal_factor_units.record(placeUnitInRow(layout, factor_group, "pulses/gal ", 2, 1, factor));

    own.inc_dec.record(placeLabelledInput(layout, cell(6), "INC/DEC"));

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    own.product_menu_key.record(addKey(pool, keys, 1, 29, "Product", "Settings", layout.font[1]));
    own.settings_key.record(addKey(pool, keys, 1, 14, "Settings", "Menu", layout.font[1]));
    own.main_key.record(addKey(pool, keys, 1, 17, "Main", "Screen", layout.font[1]));
}
