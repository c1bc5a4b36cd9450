#include "ui/screens/PropValveDriveSettingsMask.h"

#include "platform/iso/VT_Input_list_obj.h"
#include "platform/ui/Bind_object.h"
#include "ui/screens/Valve_mode_bits.h"

bool PropValveDriveSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Prop_valve_drive_ids& own = objects_.ids.prop_valve_drive;
    if (!init_navigation(pool, params,
                         {own.mask, own.keys, own.tank_number, own.control_settings_button,
                          "prop_valve_control_settings_mask"}))
        return false;
    tank_clutch.init(this, UI::bind_object<VT::Input_list_obj>(pool, own.tank_clutch), nullptr, pool, false);
    tank_clutch.set_editable(true);
    bind(pool, shaft_sensor, own.shaft_sensor);
    bind(pool, encoder_pulses_per_rev, own.encoder_pulses_per_rev, 0.01, 2, 1000);
    bind(pool, gear_ratio, own.gear_ratio, 0.01, 2, 1000);
    bind(pool, shaft_pulses_per_rev, own.shaft_pulses_per_rev, 0.01, 2, 1000);
    bind(pool, min_rpm, own.min_rpm, 1.0, 0, 10000);
    bind(pool, max_rpm, own.max_rpm, 1.0, 0, 10000);
    return true;
}

void PropValveDriveSettingsMask::refresh_fields()
{
    tank_clutch.set_item(Valve_mode_bits::flag_item(channel().pvalve_granular_mode.get(), Valve_mode_bits::tank_clutch));
    load({&shaft_sensor}, {}, {&encoder_pulses_per_rev, &gear_ratio, &shaft_pulses_per_rev, &min_rpm, &max_rpm});
}

void PropValveDriveSettingsMask::edit(Stat* s)
{
    if (s == &tank_clutch) {
        NV_quvel::nv_u8& mode = channel().pvalve_granular_mode;
        mode.set(Valve_mode_bits::with_flag(mode.get(), Valve_mode_bits::tank_clutch, tank_clutch.get_item() != 0));
        return;
    }
    write(s, {&shaft_sensor}, {}, {&encoder_pulses_per_rev, &gear_ratio, &shaft_pulses_per_rev, &min_rpm, &max_rpm});
}
