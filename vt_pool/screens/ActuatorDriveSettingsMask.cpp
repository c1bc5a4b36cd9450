#include "vt_pool/screens/Settings_screen_parts.h"

using namespace Settings_screen_parts;

// The actuator drive of the tank chosen on the tank settings screen: one
// field a row.
void Seeder_screens::ActuatorDriveSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Actuator_drive_ids& own = ids.actuator_drive;
    VtObjectDataMask* mask = whiteMask(layout, own.mask);
    Seeder_frame_list rows;
    createRows(layout, rows, 2, mask);
    own.tank_number.record(placeDriveTitle(layout, rows.at(0), "Actuator Drive Settings"));

    own.encoder_teeth.record(placeInputNumberInRow(pool, labelledRow(layout, rows.at(1), "Encoder Teeth"), nullptr,
                                                   layout.font[2], 1, 0, 0, 0));
    own.clutch.record(
        placeInputListInRow(pool, labelledRow(layout, rows.at(2), "Clutch"), layout.font[2], 1, 0, disabled_enabled));
    own.style.record(placeInputListInRow(pool, labelledRow(layout, rows.at(3), "Style"), layout.font[2], 1, 0,
                                         {"Vantrel", "Carvelund", "Generic"}));
    separateRows(layout, rows);

    addDriveKeys(layout, own.keys);
}
