#include "ui/screens/PropValveControlSettingsMask.h"

bool PropValveControlSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Prop_valve_control_ids& own = objects_.ids.prop_valve_control;
    if (!init_navigation(pool, params,
                         {own.mask, own.keys, own.tank_number, own.drive_settings_button,
                          "prop_valve_drive_settings_mask"}))
        return false;
    fields.bind(this, pool, own.lists);
    return true;
}
