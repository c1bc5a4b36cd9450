#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

void Seeder_screens::ProductSettingsMenu(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtObjectDataMask* mask = createDataMask(layout.pool);
    mask->setBackgroundColour(VtColour(1));
    ids.product_settings_menu.mask.record(mask);
}
