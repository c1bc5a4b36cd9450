#pragma once

namespace NV_quvel {
class parameters_t;
}

// Only an actuator-driven granular tank may drive calibration runs: these
// keep `calibration_drive_channel` naming one, or none (-1).

// Whether the channel may be the calibration drive: a channel not in use is
// never rejected; one in use only as a granular tank with an actuator. An
// index outside the channels is never allowed.
bool calibration_drive_channel_allowed(NV_quvel::parameters_t& parameters, int channel);
// Sets the calibration drive channel to none when the channel it names may
// not be one.
void check_calibration_drive_channel(NV_quvel::parameters_t& parameters);
