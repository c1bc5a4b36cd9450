#pragma once
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_indicator.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"

#include <cstdint>

// The eight alarm settings screens, and the switch that keeps alarm masks off
// the VT, marked red while alarms show and green while they are inhibited.
class AlarmSettingsMenu : public Data_screen {
public:
    AlarmSettingsMenu(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    // Shows the switch as the store holds it.
    bool activate() override;
    bool handle_activator_event(Window::Activator& activator, Window::Activator_event& event) override;

    int inhibit_state() const { return inhibit_indicator_.get_state(); }

private:
    const Screen_objects objects_;
    Screen_links<10> links_;
    Window::Activator inhibit_key_;
    Stat_indicator inhibit_indicator_;
    Stat_indicator::Client inhibit_mark_;
    uint16_t inhibit_fills_[2] = {}; // red: alarms show; green: inhibited
};
