#include "ui/screens/LiquidPropValveControlSettingsMask.h"

#include <cstdio>

bool LiquidPropValveControlSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Liquid_prop_valve_control_ids& own = objects_.ids.liquid_prop_valve_control;
    if (!init_navigation(pool, params,
                         {own.mask, own.keys, own.tank_number, own.settings_button, "liquid_prop_valve_settings_mask"}))
        return false;
    fields.bind(this, pool, own.lists);
    return true;
}

void LiquidPropValveControlSettingsMask::edit(Stat* s)
{
    std::printf("tank index=%d\n", int(channel_index()));
    fields.edit(channel(), s);
}
