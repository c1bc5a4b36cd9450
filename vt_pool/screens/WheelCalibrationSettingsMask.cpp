#include "vt_pool/screens/Settings_screen_parts.h"

using namespace Settings_screen_parts;

// The ground wheel's factor, edited directly or measured by the wizard the
// "Calibrate" key starts.
void Seeder_screens::WheelCalibrationSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Wheel_calibration_settings_ids& own = ids.wheel_calibration_settings;
    Seeder_frame_list rows;
    titledMask(layout, own.mask, rows, "Wheel Calibration Settings");

    Seeder_frame_list columns;
    createColumns(layout, columns, 3, rows.at(1));
    placeTextInRow(pool, columns.at(0), "Wheel Factor", layout.font[12], 1, 0, 1);
    own.factor.record(placeInputNumberInRow(pool, columns.at(1), nullptr, layout.font[2], 1, 0, 0, 0));
    placeLabelInRow(pool, columns.at(2), "/pulse", layout.font[15], 1, 0);
    separateRows(layout, rows);

    VtObjectSoftKeyMask* keys = softKeys(layout);
    own.calibrate_key.record(addWhiteKey(layout, keys, 18, "Calibrate", ""));
    own.seeder_key.record(addWhiteKey(layout, keys, 16, "Seeder", "Menu"));
    own.settings_key.record(addWhiteKey(layout, keys, 14, "Settings", "Mask"));
    own.main_key.record(addWhiteKey(layout, keys, 17, "Main", "Screen"));
}
