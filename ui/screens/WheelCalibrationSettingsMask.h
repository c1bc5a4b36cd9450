#pragma once
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_num.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"

// The ground wheel's factor in metres per pulse: typed in, or measured by
// the calibration wizard that Calibrate starts from its first step.
class WheelCalibrationSettingsMask : public Data_screen {
public:
    WheelCalibrationSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
        : Data_screen(key, man), objects_(objects)
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    bool activate() override;
    bool handle_stat_update(Stat* s) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    Stat_num factor;

private:
    const Screen_objects objects_;
    Window::Activator calibrate_key_;
    Screen_links<3> keys_;
};
