#include "vt_pool/screens/Settings_screen_parts.h"

// How the proportional valve of the chosen granular tank is driven, with
// the way back to its drive settings.
void Seeder_screens::PropValveControlSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    Prop_valve_control_ids& own = ids.prop_valve_control;
    Settings_screen_parts::buildValveControlScreen(layout, own.mask, own.keys, own.tank_number, own.lists,
                                                   own.drive_settings_button, "Drive Settings");
}
