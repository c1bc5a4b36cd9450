#pragma once
#include "ui/screens/Drive_settings_screen.h"
#include "ui/screens/Valve_control_fields.h"

// How a granular tank's proportional valve is driven: soft start and stop,
// dither, dump valve, PWM limits and controller response.
class PropValveControlSettingsMask : public Drive_settings_screen {
public:
    PropValveControlSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
        : Drive_settings_screen(key, man, objects, "PropValveControlSettingsMask")
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;

    Valve_control_fields fields{{&NV_quvel::channel_t::pvalve_granular_mode,
                                 &NV_quvel::channel_t::pvalve_granular_min_pwm_setting,
                                 &NV_quvel::channel_t::pvalve_granular_max_pwm_setting,
                                 &NV_quvel::channel_t::pvalve_granular_response_setting}};

protected:
    void refresh_fields() override { fields.refresh(channel()); }
    void edit(Stat* s) override { fields.edit(channel(), s); }
};
