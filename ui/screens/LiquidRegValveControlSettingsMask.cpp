#include "ui/screens/LiquidRegValveControlSettingsMask.h"

#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/ui/Bind_object.h"
#include "ui/screens/Screen_vt.h"

#include <cstdio>

namespace {

using Setting = NV_quvel::nv_u8 NV_quvel::rvalve_controller_t::*;
// The members of a mode's settings, in the order of its four lists.
constexpr Setting settings[4] = {&NV_quvel::rvalve_controller_t::speed, &NV_quvel::rvalve_controller_t::max_on_time,
                                 &NV_quvel::rvalve_controller_t::min_on_time, &NV_quvel::rvalve_controller_t::gain};

}

bool LiquidRegValveControlSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Liquid_reg_valve_control_ids& own = objects_.ids.liquid_reg_valve_control;
    if (!init_navigation(pool, params,
                         {own.mask, own.keys, own.tank_number, own.settings_button, "liquid_prop_valve_settings_mask"}))
        return false;
    bind(pool, reverse_valve, own.reverse_valve);
    bind(pool, close_valve, own.close_valve);
    bind(pool, relay_on, own.relay_on);
    bind(pool, sensitivity, own.sensitivity);
    controller_mode.init(this, UI::bind_object<VT::Input_list_obj>(pool, own.controller_mode), nullptr, pool, false);
    controller_mode.set_editable(true);
    const std::array<Input_list_id, 4>* lists[4] = {&own.pwm_setting, &own.max_on_time, &own.min_on_time,
                                                    &own.gain_setting};
    const std::array<Container_id, 4>* containers[4] = {&own.pwm_setting_containers, &own.max_on_time_containers,
                                                        &own.min_on_time_containers, &own.gain_setting_containers};
    for (int m = 0; m < modes; ++m) {
        for (int f = 0; f < 4; ++f) {
            Stat_list& list = mode_lists[m][f];
            list.init(this, UI::bind_object<VT::Input_list_obj>(pool, (*lists[f])[m]), nullptr, pool, false);
            list.set_editable(true);
            containers_[m][f] = UI::bind_object<VT::Container_obj>(pool, (*containers[f])[m]);
        }
    }
    return true;
}

void LiquidRegValveControlSettingsMask::refresh_fields()
{
    load({&reverse_valve, &close_valve, &relay_on}, {&sensitivity}, {});
    // A stored mode beyond the four shows the first and stays stored until
    // the operator picks one.
    const unsigned stored = channel().rvalve_liquid_mode.get();
    const unsigned shown = stored < modes ? stored : 0;
    controller_mode.set_item(uint16_t(shown));
    for (int m = 0; m < modes; ++m) {
        const NV_quvel::rvalve_controller_t& controller = *channel().rvalve_liquid_controller[m];
        for (int f = 0; f < 4; ++f) {
            Screen_vt::set_hidden(*this, containers_[m][f], unsigned(m) != shown);
            mode_lists[m][f].set_item((controller.*settings[f]).get());
        }
    }
}

void LiquidRegValveControlSettingsMask::edit(Stat* s)
{
    std::printf("tank index=%d\n", int(channel_index()));
    if (write(s, {&reverse_valve, &close_valve, &relay_on}, {&sensitivity}, {}))
        return;
    const unsigned mode = controller_mode.get_item();
    if (s == &controller_mode) {
        if (mode < modes) {
            channel().rvalve_liquid_mode.set(uint8_t(mode));
            refresh_fields();
        }
        return;
    }
    if (mode >= modes)
        return;
    for (int f = 0; f < 4; ++f)
        if (s == &mode_lists[mode][f])
            (channel().rvalve_liquid_controller[int(mode)]->*settings[f]).set(uint8_t(mode_lists[mode][f].get_item()));
}
