#include "ui/screens/ActuatorDriveSettingsMask.h"

namespace {

// The most teeth an actuator encoder has; a larger stored value is mended.
constexpr float max_teeth = 255.0f;

}

bool ActuatorDriveSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Actuator_drive_ids& own = objects_.ids.actuator_drive;
    if (!init_navigation(pool, params, {own.mask, own.keys, own.tank_number, {}, nullptr}))
        return false;
    bind(pool, encoder_teeth, own.encoder_teeth, 0.1, 1, max_teeth);
    bind(pool, clutch, own.clutch);
    bind(pool, style, own.style);
    return true;
}

void ActuatorDriveSettingsMask::refresh_fields()
{
    if (channel().act_encoder_ratio.get() > max_teeth)
        channel().act_encoder_ratio.set(max_teeth);
    load({&clutch}, {&style}, {&encoder_teeth});
}

void ActuatorDriveSettingsMask::edit(Stat* s)
{
    write(s, {&clutch}, {&style}, {&encoder_teeth});
}
