#include "vt_pool/screens/Settings_screen_parts.h"

using namespace Settings_screen_parts;

// Blockage monitoring of the seeding heads, two fields a row; the rows of a
// double-shoot machine sit in containers of their own, hidden at first.
void Seeder_screens::BlockedHeadSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Blocked_head_settings_ids& own = ids.blocked_head_settings;
    const auto cell = titledGrid(layout, own.mask, "Blocked Head Settings", 2, 3).cells;

    own.monitoring.record(listCell(layout, cell[0], "Monitoring", disabled_enabled));
    own.sensor_type.record(listCell(layout, cell[1], "Sensor Type", {"Vemtra", "Hallen Berg"}));
    own.num_sensors.record(numberCell(layout, cell[2], "Number of Sensors"));
    own.head_systems.record(listCell(layout, cell[3], "Head Systems", {"Single Shoot", "Double Shoot"}));
    VtObjectContainer* heads_row = overlay(layout, cell[4], true);
    own.enabled_heads.record(listCell(layout, heads_row, "Enabled Heads", {"Seed + Fert", "Seed Only", "Fert Only"}));
    own.enabled_heads_row.record(heads_row);
    VtObjectContainer* fert_row = overlay(layout, cell[5], true);
    own.first_fert_sensor.record(numberCell(layout, fert_row, "1st Fert Sensor"));
    own.first_fert_row.record(fert_row);

    VtObjectSoftKeyMask* keys = softKeys(layout);
    addSeederKeys(layout, keys, own.seeder_key, own.settings_key, own.main_key);
}
