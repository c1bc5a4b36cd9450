#pragma once
#include "ui/screens/Alarm_settings_screen.h"

// The tank-off and alternative-rate alarms of all tanks together, the case-drain and the blocked-head alarms.
class OtherAlarmsMask : public Alarm_settings_screen {
public:
    using Alarm_settings_screen::Alarm_settings_screen;

protected:
    Alarm_table table() const override;
};
