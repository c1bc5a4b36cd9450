#pragma once
// The NAME a fake server of the tractor's side claims with: not
// self-configurable, agricultural, its function and maker, instance 0.
#include "platform/can/ZEV_name_NAME.h"

#include <cstdint>

inline void set_fake_server_name(ZEV_name::NAME& name, uint8_t function, uint16_t manufacturer, uint32_t identity)
{
    name.set(ZEV_name::Field::self_configurable, 0);
    name.set(ZEV_name::Field::industry_group, 2);
    name.set(ZEV_name::Field::device_class, 0);
    name.set(ZEV_name::Field::function, function);
    name.set(ZEV_name::Field::manufacturer_code, manufacturer);
    name.set(ZEV_name::Field::ecu_instance, 0);
    name.set(ZEV_name::Field::function_instance, 0);
    name.set(ZEV_name::Field::device_class_instance, 0);
    name.set(ZEV_name::Field::identity_number, identity);
}
