#include "vt_pool/screens/Settings_screen_parts.h"

using namespace Settings_screen_parts;

// The working width, the manual speed and where ground speed comes from,
// one field a row.
void Seeder_screens::WidthAndSpeedSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Width_and_speed_ids& own = ids.width_and_speed;
    Seeder_frame_list rows;
    titledMask(layout, own.mask, rows, "Width And Speed Settings");

    own.width.record(
        placeInputNumberInRow(pool, labelledRow(layout, rows.at(1), "Width"), nullptr, layout.font[2], 1, 0, 0, 0));
    own.manual_speed.record(placeInputNumberInRow(pool, labelledRow(layout, rows.at(2), "Manual Speed"), nullptr,
                                                  layout.font[2], 1, 0, 0, 0));
    own.speed_source.record(
        placeInputListInRow(pool, labelledRow(layout, rows.at(3), "Speed Source"), layout.font[2], 1, 0,
                            {"GPS", "Wheel", "KX-4", "Manual", "ISO Wheel", "ISO Radar", "NMEA2000"}));
    separateRows(layout, rows);

    VtObjectSoftKeyMask* keys = softKeys(layout);
    addSeederKeys(layout, keys, own.seeder_key, own.settings_key, own.main_key);
}
