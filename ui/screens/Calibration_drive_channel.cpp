#include "ui/screens/Calibration_drive_channel.h"

#include "ui/screens/Seeder_tanks.h"

bool calibration_drive_channel_allowed(NV_quvel::parameters_t& parameters, int channel)
{
    if (!Seeder_tanks::is_channel(channel))
        return false;
    const NV_quvel::channel_t& c = Seeder_tanks::channel(parameters, channel);
    if (!c.enabled.get())
        return true;
    if (c.mode.get() != Seeder_tanks::granular)
        return false;
    return c.granular_controller_type.get() == Seeder_tanks::actuator_drive;
}

void check_calibration_drive_channel(NV_quvel::parameters_t& parameters)
{
    const int channel = parameters.app.calibration_drive_channel.get();
    if (channel < 0)
        return;
    if (!calibration_drive_channel_allowed(parameters, channel))
        parameters.app.calibration_drive_channel.set(-1);
}
