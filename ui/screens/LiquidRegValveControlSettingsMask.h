#pragma once
#include "ui/screens/Drive_settings_screen.h"

#include <array>

namespace VT {
class Container_obj;
}

// How a liquid tank's regulating valve is driven: direction, behaviour when
// the tank is off, sensitivity, and the controller mode with its timing
// settings, stored per mode (modes 0 to 3); only the shown mode's are on the
// mask.
class LiquidRegValveControlSettingsMask : public Drive_settings_screen {
public:
    static constexpr int modes = 4;

    LiquidRegValveControlSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
        : Drive_settings_screen(key, man, objects, "LiquidRegValveControlSettingsMask")
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;

    Flag_field reverse_valve{{}, &NV_quvel::channel_t::rvalve_liquid_reverse_valve_direction};
    Flag_field close_valve{{}, &NV_quvel::channel_t::rvalve_liquid_close_valve_if_tank_off};
    Flag_field relay_on{{}, &NV_quvel::channel_t::rvalve_liquid_relay_on_when_tank_off};
    Item_field sensitivity{{}, &NV_quvel::channel_t::rvalve_liquid_sensitivity};
    Stat_list controller_mode;
    // Per mode: PWM setting, max on time, min on time, gain setting.
    std::array<std::array<Stat_list, 4>, modes> mode_lists;

protected:
    void refresh_fields() override;
    void edit(Stat* s) override;

private:
    std::array<std::array<VT::Container_obj*, 4>, modes> containers_{};
};
