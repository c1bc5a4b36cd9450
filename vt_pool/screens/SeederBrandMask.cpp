#include "vt_pool/screens/Settings_screen_parts.h"

using namespace Settings_screen_parts;

// The maker of the seeder the controller is fitted to.
void Seeder_screens::SeederBrandMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Seeder_brand_ids& own = ids.seeder_brand;
    Seeder_frame_list rows;
    titledMask(layout, own.mask, rows, "Seeder Brand");

    VtObjectInputFieldList* brands =
        placeInputListInRow(layout.pool, labelledRow(layout, rows.at(1), "Seeder Brand"), layout.font[2], 1, 0,
                            {"Generic", "Carvelund", "Halbek", "Plainridge", "Tarrock", "Ostrand", "Kevro"});
    own.brand_list.record(brands);
    for (uint32_t i = 0; i < own.brand_items.size(); ++i)
        own.brand_items[i].oid = optionOf(brands, i);
    separateRows(layout, rows);

    VtObjectSoftKeyMask* keys = softKeys(layout);
    addSeederKeys(layout, keys, own.seeder_key, own.settings_key, own.main_key);
}
