#pragma once
#include "ui/screens/Alarm_settings_screen.h"

// The motor sensor and motor jam alarms of tanks 1 to 4.
class TankMotorAlarmsMask : public Alarm_settings_screen {
public:
    using Alarm_settings_screen::Alarm_settings_screen;

protected:
    Alarm_table table() const override;
};
