#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

// The last question before every setting returns to its factory value.
void Seeder_screens::ConfirmFactoryResetMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Confirm_factory_reset_ids& own = ids.confirm_factory_reset;
    VtObjectDataMask* mask = createDataMask(pool);
    own.mask.record(mask);
    mask->setBackgroundColour(VtColour(1));

    Seeder_frame_list rows;
    createRows(layout, rows, 2, mask);
    Seeder_frame_list columns;
    createColumns(layout, columns, 5, rows.at(0));
    placeLabelInRow(pool, columns.at(0), "Confirm Factory Reset", layout.font[7], 1, 0);
    placeLabelInRow(pool, rows.at(1), "WARNING: All data will be lost.", layout.font[12], 1, 0);
    placeLabelInRow(pool, rows.at(2), "Are you sure you want to", layout.font[0], 1, 0);
    placeLabelInRow(pool, rows.at(3), "reset ECU to defaults?", layout.font[0], 1, 0);

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    own.confirm_key.record(addKey(pool, keys, 1, 7, "Confirm", nullptr, layout.font[1]));
    own.cancel_key.record(addKey(pool, keys, 1, 9, "Cancel", nullptr, layout.font[1]));
}
