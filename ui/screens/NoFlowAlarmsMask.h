#pragma once
#include "ui/screens/Alarm_settings_screen.h"

// The alarms of no flow: all tanks off, no ground speed, no fan speed, no fan pressure.
class NoFlowAlarmsMask : public Alarm_settings_screen {
public:
    using Alarm_settings_screen::Alarm_settings_screen;

protected:
    Alarm_table table() const override;
};
