#pragma once
#include "ui/screens/Drive_settings_screen.h"

// A liquid (or NH3) tank: its nozzle count and pressure sensing; Setup leads
// to the control settings of the tank's kind of valve.
class LiquidPropValveSettingsMask : public Drive_settings_screen {
public:
    LiquidPropValveSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
        : Drive_settings_screen(key, man, objects, "LiquidPropValveSettingsMask")
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;

    Stat_num num_nozzles;
    Flag_field pressure_sense{{}, &NV_quvel::channel_t::liquid_pressure_sense};

protected:
    void refresh_fields() override;
    void edit(Stat* s) override;
    const char* button_target() override;
};
