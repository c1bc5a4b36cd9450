#pragma once
#include "ui/screens/Alarm_settings_screen.h"

// The fan alarms, pressure and speed, low and high, of fans 1 and 2 together, with their alarm points.
class FanAlarmsMask : public Alarm_settings_screen {
public:
    using Alarm_settings_screen::Alarm_settings_screen;

protected:
    Alarm_table table() const override;
};
