#include "vt_pool/screens/Settings_screen_parts.h"

using namespace Settings_screen_parts;

namespace {

// A field that a custom motor edits and a fixed motor only shows: the
// label, then the input and the value each in a container over the lower
// part of the cell, the fixed one hidden.
void placeMotorValue(Seeder_layout& layout, VtObjectContainer* cell, const char* label, Motor_value_ids& fields,
                     Motor_value_containers& containers)
{
    labelCell(layout, cell, label, nullptr);
    VtObjectContainer* custom = overlay(layout, cell, false);
    fields.custom.record(placeInputNumberInRow(layout.pool, custom, nullptr, layout.font[2], 2, 1, 0, 0));
    containers.custom.record(custom);
    VtObjectContainer* fixed = overlay(layout, cell, true);
    fields.fixed.record(placeNumberInRow(layout.pool, fixed, layout.font[2], 2, 1, 0, 0));
    containers.fixed.record(fixed);
}

}

// The electric motor drive of the chosen tank, two fields a row.
void Seeder_screens::ElectricDriveSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Electric_drive_ids& own = ids.electric_drive;
    const auto cell = driveGrid(layout, own.mask, own.tank_number, "Electric Drive Settings", 2, 4).cells;

    own.motor_selection.record(listCell(layout, cell[0], "Motor Selection", {"Two pulse", "Four pulse", "Other"}));
    own.gear_ratio.record(numberCell(layout, cell[1], "Gear Ratio"));
    placeMotorValue(layout, cell[2], "Pulses/Rev", own.pulses_per_rev, own.pulses_per_rev_containers);
    own.soft_start.record(listCell(layout, cell[3], "Soft Start", disabled_enabled));
    placeMotorValue(layout, cell[4], "Min Motor RPM", own.min_rpm, own.min_rpm_containers);
    own.shaft_sensor.record(listCell(layout, cell[5], "Shaft Sensor", disabled_enabled));
    placeMotorValue(layout, cell[6], "Max Motor RPM", own.max_rpm, own.max_rpm_containers);
    own.shaft_pulses_per_rev.record(numberCell(layout, cell[7], "Shaft Pulses/Rev"));

    addDriveKeys(layout, own.keys);
}
