#pragma once
#include "ui/screens/Alarm_settings_screen.h"

// The low and high liquid pressure alarms of tanks 1 to 4, with their alarm points.
class TankPressureAlarmsMask : public Alarm_settings_screen {
public:
    using Alarm_settings_screen::Alarm_settings_screen;

protected:
    Alarm_table table() const override;
};
