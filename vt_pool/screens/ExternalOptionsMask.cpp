#include "vt_pool/screens/Settings_screen_parts.h"

using namespace Settings_screen_parts;

// Switch boxes and calibration options from outside the terminal, two
// fields a row; the rows only an actuator tank needs sit in containers of
// their own.
void Seeder_screens::ExternalOptionsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    External_options_ids& own = ids.external_options;
    const auto cell = titledGrid(layout, own.mask, "External Options", 2, 3).cells;

    own.cabin_switch_box.record(listCell(layout, cell[0], "Cabin Switch Box", disabled_enabled));
    VtObjectContainer* clutch_row = overlay(layout, cell[1], false);
    own.master_clutch.record(listCell(layout, clutch_row, "Master Clutch", disabled_enabled));
    own.master_clutch_row.record(clutch_row);

    VtObjectInputFieldList* master =
        listCell(layout, cell[2], "Ext. Master Switch", {"Disabled", "Switchbox", "Tillage", "KX-4"});
    own.master_switch.record(master);
    for (uint32_t i = 0; i < own.master_switch_items.size(); ++i)
        own.master_switch_items[i].oid = optionOf(master, i);
    VtObjectContainer* style_row = overlay(layout, cell[3], false);
    own.act_cal_style.record(listCell(layout, style_row, "Actuator Cal Style", {"Stationary", "Rolling"}));
    own.act_cal_style_row.record(style_row);

    own.cal_switch_box.record(listCell(layout, cell[4], "Cal Switch Box", {"Disabled", "Run/Stop", "Multi-Tank"}));
    VtObjectContainer* drive_row = overlay(layout, cell[5], false);
    VtObjectInputFieldList* drive =
        listCell(layout, drive_row, "Cal Drive", {"Disabled", "Drive 1", "Drive 2", "Drive 3", "Drive 4"});
    own.cal_drive.record(drive);
    for (uint32_t i = 0; i < own.cal_drive_items.size(); ++i)
        own.cal_drive_items[i].oid = optionOf(drive, i);
    own.cal_drive_row.record(drive_row);

    VtObjectSoftKeyMask* keys = softKeys(layout);
    addSeederKeys(layout, keys, own.seeder_key, own.settings_key, own.main_key);
}
