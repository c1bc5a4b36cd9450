#include "params/parameters_t.h"
#include "platform/rtos/module_man.h"
#include "ui/screens/Calibration_drive_channel.h"

#include <gtest/gtest.h>

namespace {

struct Drive_case {
    const char* what;
    int chosen;
    bool enabled;
    int mode;
    int drive;
    int kept; // calibration_drive_channel after the check
};

}

TEST(Calibration_drive_channel, the_check_keeps_only_an_actuator_granular_tank_or_one_not_in_use)
{
    const Drive_case cases[] = {
        {"none stays none", -1, true, 1, 0, -1},
        {"a disabled channel stays chosen", 2, false, 1, 0, 2},
        {"a liquid channel is reset", 2, true, 1, 1, -1},
        {"an electric granular channel is reset", 2, true, 0, 0, -1},
        {"an actuator granular channel stays", 2, true, 0, 1, 2},
        {"an actuator NH3 channel is reset", 2, true, 2, 1, -1},
        {"channel 9, the last, is checked", 9, true, 0, 1, 9},
        {"channel 10 is beyond the channels", 10, false, 0, 1, -1},
        {"channel 127 is beyond the channels", 127, false, 0, 1, -1},
    };
    for (const Drive_case& c : cases) {
        SCOPED_TRACE(c.what);
        module_man modules;
        NV_quvel::parameters_t parameters(&modules, 0, "PS");
        if (c.chosen < 10) {
            NV_quvel::channel_t& channel = *parameters.app.channels[c.chosen < 0 ? 0 : c.chosen];
            channel.enabled.set(c.enabled);
            channel.mode.set(uint8_t(c.mode));
            channel.granular_controller_type.set(uint8_t(c.drive));
        }
        parameters.app.calibration_drive_channel.set(int8_t(c.chosen));

        check_calibration_drive_channel(parameters);

        EXPECT_EQ(parameters.app.calibration_drive_channel.get(), c.kept);
    }
}

TEST(Calibration_drive_channel, an_index_outside_the_channels_is_not_allowed)
{
    module_man modules;
    NV_quvel::parameters_t parameters(&modules, 0, "PS");
    for (int index : {-1, 10, 127, 100000})
        EXPECT_FALSE(calibration_drive_channel_allowed(parameters, index)) << index;
    EXPECT_TRUE(calibration_drive_channel_allowed(parameters, 0)) << "a channel not in use";
}
