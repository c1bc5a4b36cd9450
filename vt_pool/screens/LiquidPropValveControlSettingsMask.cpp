#include "vt_pool/screens/Settings_screen_parts.h"

// How the proportional valve of the chosen liquid tank is driven, with the
// way back to the tank's liquid settings.
void Seeder_screens::LiquidPropValveControlSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Liquid_prop_valve_control_ids& own = ids.liquid_prop_valve_control;
    Settings_screen_parts::buildValveControlScreen(layout, own.mask, own.keys, own.tank_number, own.lists,
                                                   own.settings_button, "Settings");
}
