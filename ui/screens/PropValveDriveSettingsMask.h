#pragma once
#include "ui/screens/Drive_settings_screen.h"

// A granular tank driven through a proportional valve: its tank clutch (a bit
// of the valve's mode byte), shaft sensor, ratios and shaft speed limits.
class PropValveDriveSettingsMask : public Drive_settings_screen {
public:
    PropValveDriveSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
        : Drive_settings_screen(key, man, objects, "PropValveDriveSettingsMask")
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;

    Stat_list tank_clutch;
    Flag_field shaft_sensor{{}, &NV_quvel::channel_t::pvalve_granular_using_shaft_sensor};
    Float_field encoder_pulses_per_rev{{}, &NV_quvel::channel_t::pvalve_granular_encoder_ratio};
    Float_field gear_ratio{{}, &NV_quvel::channel_t::pvalve_granular_gear_ratio};
    Float_field shaft_pulses_per_rev{{}, &NV_quvel::channel_t::pvalve_granular_shaft_sensor_ratio};
    Float_field min_rpm{{}, &NV_quvel::channel_t::pvalve_granular_min_rpm};
    Float_field max_rpm{{}, &NV_quvel::channel_t::pvalve_granular_max_rpm};

protected:
    void refresh_fields() override;
    void edit(Stat* s) override;
};
