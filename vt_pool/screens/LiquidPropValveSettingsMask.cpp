#include "vt_pool/screens/Settings_screen_parts.h"

using namespace Settings_screen_parts;

// The liquid or NH3 tank chosen on the tank settings screen: its pressure
// sensing and nozzles, and the way to its valve's control settings.
void Seeder_screens::LiquidPropValveSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Liquid_prop_valve_ids& own = ids.liquid_prop_valve;
    const auto cell = driveGrid(layout, own.mask, own.tank_number, "Liquid/NH3 Settings", 2, 2).cells;

    own.pressure_sense.record(listCell(layout, cell[0], "Pressure Sense", disabled_enabled));
    own.num_nozzles.record(numberCell(layout, cell[1], "Num Nozzles"));
    // The running screen acts on "Setup" alone, which opens the control
    // settings of the tank's valve kind.
    createMenuButton(layout, cell[2], 70, "Control Settings");
    own.setup_button.record(createMenuButton(layout, cell[3], 71, "Setup"));

    addDriveKeys(layout, own.keys);
}
