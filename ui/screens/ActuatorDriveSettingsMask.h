#pragma once
#include "ui/screens/Drive_settings_screen.h"

// An actuator drive: its encoder teeth, tank clutch and actuator style.
class ActuatorDriveSettingsMask : public Drive_settings_screen {
public:
    ActuatorDriveSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
        : Drive_settings_screen(key, man, objects, "ActuatorDriveSettingsMask")
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;

    Float_field encoder_teeth{{}, &NV_quvel::channel_t::act_encoder_ratio};
    Flag_field clutch{{}, &NV_quvel::channel_t::act_using_tank_clutch};
    Item_field style{{}, &NV_quvel::channel_t::actuator_style};

protected:
    void refresh_fields() override;
    void edit(Stat* s) override;
};
