#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

void Seeder_screens::MultiTankCal3Mask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtObjectDataMask* mask = createDataMask(layout.pool);
    mask->setBackgroundColour(VtColour(1));
    ids.multi_tank_cal3.mask.record(mask);
}
