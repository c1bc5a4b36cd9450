#include "vt_pool/screens/Settings_screen_parts.h"

using namespace Settings_screen_parts;

// The proportional valve drive of the chosen granular tank, two fields a
// row, with the way to its control settings.
void Seeder_screens::PropValveDriveSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Prop_valve_drive_ids& own = ids.prop_valve_drive;
    const auto cell = driveGrid(layout, own.mask, own.tank_number, "PValve Drive Settings", 2, 4).cells;

    own.gear_ratio.record(numberCell(layout, cell[0], "Gear Ratio"));
    own.tank_clutch.record(listCell(layout, cell[1], "Tank Clutch", disabled_enabled));
    own.encoder_pulses_per_rev.record(numberCell(layout, cell[2], "Encoder Pulses/Rev"));
    own.shaft_sensor.record(listCell(layout, cell[3], "Shaft Sensor", disabled_enabled));
    own.min_rpm.record(numberCell(layout, cell[4], "Min Shaft RPM"));
    own.shaft_pulses_per_rev.record(numberCell(layout, cell[5], "Shaft Pulses/Rev"));
    own.max_rpm.record(numberCell(layout, cell[6], "Max Shaft RPM"));
    own.control_settings_button.record(createMenuButton(layout, cell[7], 70, "Control Settings"));

    addDriveKeys(layout, own.keys);
}
