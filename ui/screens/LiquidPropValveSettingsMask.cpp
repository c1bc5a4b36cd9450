#include "ui/screens/LiquidPropValveSettingsMask.h"

#include "platform/iso/VT_Input_number_obj.h"
#include "platform/ui/Bind_object.h"

bool LiquidPropValveSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Liquid_prop_valve_ids& own = objects_.ids.liquid_prop_valve;
    // The button's target depends on the channel: see button_target.
    if (!init_navigation(pool, params, {own.mask, own.keys, own.tank_number, own.setup_button, ""}))
        return false;
    const Stat_num_format whole(0, 1.0, 0);
    num_nozzles.init(this, UI::bind_object<VT::Input_number_obj>(pool, own.num_nozzles), whole, whole, 1000, pool);
    num_nozzles.set_range(0, 255);
    num_nozzles.set_editable(true);
    bind(pool, pressure_sense, own.pressure_sense);
    refresh_fields();
    return true;
}

void LiquidPropValveSettingsMask::refresh_fields()
{
    num_nozzles.set_val(channel().liquid_number_of_nozzles.get());
    load({&pressure_sense}, {}, {});
}

void LiquidPropValveSettingsMask::edit(Stat* s)
{
    if (s == &num_nozzles)
        channel().liquid_number_of_nozzles.set(uint8_t(unsigned(num_nozzles.get_val())));
    else
        write(s, {&pressure_sense}, {}, {});
}

const char* LiquidPropValveSettingsMask::button_target()
{
    // The button is on a tank of the first four only while the fields are;
    // beyond them it stays on the regulating valve's screen.
    const bool proportional = has_settings() && channel().liquid_controller_type.get() != 0;
    return proportional ? "liquid_prop_valve_control_settings_mask" : "liquid_reg_valve_control_settings_mask";
}
