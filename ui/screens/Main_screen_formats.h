#pragma once
#include "platform/ui/Stat_num_format.h"

// How the operating screen shows its numbers: a format for metric display
// and one for imperial, each a step in the stored unit and its decimals.
struct Main_screen_formats {
    Stat_num_format metric;
    Stat_num_format imperial;

    // Requested and actual rates by the tank's product mode (0 granular,
    // 1 liquid, 2 NH3; any other shows as granular).
    static Main_screen_formats rate(int mode)
    {
        switch (mode) {
        case 1:
            return {{20, 0.1, 1}, {20, 0.1, 1}};
        case 2:
            return {{19, 0.1, 1}, {19, 0.11208511561944565, 1}};
        default:
            return {{18, 0.1, 1}, {18, 0.11208511561944565, 1}};
        }
    }
    // Tank contents by product mode, with the decimals asked for.
    static Main_screen_formats contents(int mode, unsigned decimals = 1)
    {
        switch (mode) {
        case 1:
            return {{12, 0.1, decimals}, {12, 0.1, decimals}};
        case 2:
            return {{16, 0.1, decimals}, {16, 0.045359237, decimals}};
        default:
            return {{15, 0.1, decimals}, {15, 0.045359237, decimals}};
        }
    }
    static Main_screen_formats speed() { return {{6, 0.02777777777777778, 1}, {6, 0.044704, 1}}; }
    static Main_screen_formats area_rate() { return {{23, 0.1, 1}, {23, 0.040468564224, 1}}; }
    static Main_screen_formats fan_speed() { return {{0, 1.0, 0}, {0, 1.0, 0}}; }
    static Main_screen_formats pressure() { return {{17, 0.1, 1}, {17, 0.01, 2}}; }
    // Areas in square metres.
    static Main_screen_formats area() { return {{10, 1000.0, 1}, {10, 404.68564224, 1}}; }
};
