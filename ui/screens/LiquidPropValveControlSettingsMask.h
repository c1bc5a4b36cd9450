#pragma once
#include "ui/screens/Drive_settings_screen.h"
#include "ui/screens/Valve_control_fields.h"

// How a liquid tank's proportional valve is driven: the control settings of
// the granular valve on the liquid valve's own members.
class LiquidPropValveControlSettingsMask : public Drive_settings_screen {
public:
    LiquidPropValveControlSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
        : Drive_settings_screen(key, man, objects, "LiquidPropValveControlSettingsMask")
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;

    Valve_control_fields fields{{&NV_quvel::channel_t::pvalve_liquid_mode,
                                 &NV_quvel::channel_t::pvalve_liquid_min_pwm_setting,
                                 &NV_quvel::channel_t::pvalve_liquid_max_pwm_setting,
                                 &NV_quvel::channel_t::pvalve_liquid_response_setting}};

protected:
    void refresh_fields() override { fields.refresh(channel()); }
    void edit(Stat* s) override;
};
