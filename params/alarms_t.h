#pragma once
#include "params/alarm_t.h"

namespace NV_quvel {

// The settings of every alarm; per fan, pump or tank alarms are arrays.
class alarms_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(alarms_t)

    NV_store::NV_item_array<4, alarm_t> fan_pressure_low{this, _get_root(), 1, "fan_pressure_low"};
    NV_store::NV_item_array<4, alarm_t> fan_pressure_high{this, _get_root(), 2, "fan_pressure_high"};
    NV_store::NV_item_array<4, alarm_t> fan_speed_low{this, _get_root(), 3, "fan_speed_low"};
    NV_store::NV_item_array<4, alarm_t> fan_speed_high{this, _get_root(), 4, "fan_speed_high"};
    NV_store::NV_item_array<4, alarm_t> fan_sensor_fail{this, _get_root(), 5, "fan_sensor_fail"};
    NV_store::NV_item_array<10, alarm_t> tank_low{this, _get_root(), 6, "tank_low"};
    NV_store::NV_item_array<10, alarm_t> tank_empty{this, _get_root(), 7, "tank_empty"};
    NV_store::NV_item_array<10, alarm_t> liquid_pressure_min{this, _get_root(), 8, "liquid_pressure_min"};
    NV_store::NV_item_array<10, alarm_t> liquid_pressure_max{this, _get_root(), 9, "liquid_pressure_max"};
    alarm_t temperature{this, _get_root(), 10, "temperature"};
    NV_store::NV_item_array<10, alarm_t> tank_motor_sensor{this, _get_root(), 11, "tank_motor_sensor"};
    NV_store::NV_item_array<10, alarm_t> tank_motor_jam{this, _get_root(), 12, "tank_motor_jam"};
    NV_store::NV_item_array<10, alarm_t> tank_shaft{this, _get_root(), 13, "tank_shaft"};
    NV_store::NV_item_array<10, alarm_t> tank_gear{this, _get_root(), 14, "tank_gear"};
    NV_store::NV_item_array<10, alarm_t> tank_alt_rate_in_use{this, _get_root(), 15, "tank_alt_rate_in_use"};
    NV_store::NV_item_array<10, alarm_t> tank_incorrect_rate{this, _get_root(), 16, "tank_incorrect_rate"};
    NV_store::NV_item_array<10, alarm_t> tank_off_master_on{this, _get_root(), 17, "tank_off_master_on"};
    alarm_t no_flow_tanks_off{this, _get_root(), 18, "no_flow_tanks_off"};
    alarm_t no_flow_no_speed{this, _get_root(), 19, "no_flow_no_speed"};
    alarm_t no_flow_no_fan{this, _get_root(), 20, "no_flow_no_fan"};
    alarm_t no_flow_no_fan_pressure{this, _get_root(), 21, "no_flow_no_fan_pressure"};
    alarm_t master_off{this, _get_root(), 22, "master_off"};
    alarm_t no_comms{this, _get_root(), 23, "no_comms"};
    alarm_t blocked_head{this, _get_root(), 24, "blocked_head"};
    NV_store::NV_item_array<10, alarm_t> shaft_moving_tank_off{this, _get_root(), 25, "shaft_moving_tank_off"};
    NV_store::NV_item_array<10, alarm_t> tank_no_liquid_flow{this, _get_root(), 26, "tank_no_liquid_flow"};
    alarm_t section_switching{this, _get_root(), 27, "section_switching"};
    NV_store::NV_item_array<4, alarm_t> pump_speed_low{this, _get_root(), 28, "pump_speed_low"};
    NV_store::NV_item_array<4, alarm_t> pump_speed_high{this, _get_root(), 29, "pump_speed_high"};
    alarm_t case_drain{this, _get_root(), 30, "case_drain"};
    NV_store::NV_item_array<10, alarm_t> tank_active_no_rate{this, _get_root(), 31, "tank_active_no_rate"};
    alarm_t ladder_switch{this, _get_root(), 32, "ladder_switch"};
    alarm_t aux_rpm_speed_low{this, _get_root(), 33, "aux_rpm_speed_low"};
    alarm_t aux_rpm_speed_high{this, _get_root(), 34, "aux_rpm_speed_high"};
    alarm_t down_force_off_master_on{this, _get_root(), 35, "down_force_off_master_on"};
    alarm_t drill_raised_master_on{this, _get_root(), 36, "drill_raised_master_on"};
    alarm_t hydraulic_pressure_low{this, _get_root(), 37, "hydraulic_pressure_low"};
    alarm_t master_on_tillage_off{this, _get_root(), 38, "master_on_tillage_off"};
};

}
