#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

void Seeder_screens::ExternalOptionsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtObjectDataMask* mask = createDataMask(layout.pool);
    mask->setBackgroundColour(VtColour(1));
    ids.external_options.mask.record(mask);
}
