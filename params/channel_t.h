#pragma once
#include "params/rate_filter_t.h"
#include "params/rvalve_controller_t.h"

namespace NV_quvel {

// The settings of one metered channel: a product channel or a downforce channel.
class channel_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(channel_t)

    nv_float preset_rate_1{this, 1, 0.0f, "preset_rate_1"};
    nv_float preset_rate_2{this, 2, 0.0f, "preset_rate_2"};
    nv_float current_rate{this, 3, 0.0f, "current_rate"};
    nv_float remaining{this, 4, 0.0f, "remaining"};
    nv_name name{this, 5, "name"};
    nv_float rate_filter_factor{this, 6, 0.9f, "rate_filter_factor"};
    nv_bool filter_rate{this, 7, true, "filter_rate"};
    nv_u8 rate_filter_restart_setting{this, 8, 10, "rate_filter_restart_setting"};
    nv_float rate_increment{this, 9, 0.0f, "rate_increment"};
    NV_store::NV_item_array<4, rate_filter_t> rate_filter{this, _get_root(), 10, "rate_filter"};
    nv_float capacity{this, 11, 0.0f, "capacity"};
    nv_bool enabled{this, 12, false, "enabled"};
    nv_u8 mode{this, 13, 0, "mode"};
    nv_u8 granular_controller_type{this, 14, 1, "granular_controller_type"};
    nv_u8 liquid_controller_type{this, 15, 0, "liquid_controller_type"};
    nv_u8 liquid_number_of_nozzles{this, 16, 0, "liquid_number_of_nozzles"};
    nv_bool liquid_pressure_sense{this, 17, false, "liquid_pressure_sense"};
    nv_bool motor_using_shaft_sensor{this, 18, false, "motor_using_shaft_sensor"};
    nv_bool motor_using_soft_start{this, 19, false, "motor_using_soft_start"};
    nv_float motor_gear_ratio{this, 20, 0.0f, "motor_gear_ratio"};
    nv_float motor_encoder_ratio{this, 21, 0.0f, "motor_encoder_ratio"};
    nv_float motor_max_rpm{this, 22, 0.0f, "motor_max_rpm"};
    nv_float motor_min_rpm{this, 23, 0.0f, "motor_min_rpm"};
    nv_u8 motor_pulse_encoder{this, 24, 0, "motor_pulse_encoder"};
    nv_bool act_using_tank_clutch{this, 25, false, "act_using_tank_clutch"};
    nv_float act_cal_setting{this, 26, 0.0f, "act_cal_setting"};
    nv_float act_encoder_ratio{this, 27, 0.0f, "act_encoder_ratio"};
    nv_float act_min_rpm{this, 28, 0.0f, "act_min_rpm"};
    nv_float act_max_rpm{this, 29, 0.0f, "act_max_rpm"};
    nv_u8 actuator_style{this, 30, 0, "actuator_style"};
    nv_u8 act_cal_extend_mode{this, 31, 1, "act_cal_extend_mode"};
    nv_u8 act_cal_mode{this, 32, 0, "act_cal_mode"};
    nv_u8 rvalve_granular_mode{this, 33, 0, "rvalve_granular_mode"};
    nv_bool rvalve_granular_reverse_valve_direction{this, 34, false, "rvalve_granular_reverse_valve_direction"};
    nv_bool rvalve_granular_close_valve_if_tank_off{this, 35, false, "rvalve_granular_close_valve_if_tank_off"};
    nv_bool rvalve_granular_relay_on_when_tank_off{this, 36, false, "rvalve_granular_relay_on_when_tank_off"};
    nv_float rvalve_granular_encoder_ratio{this, 37, 1.0f, "rvalve_granular_encoder_ratio"};
    nv_float rvalve_granular_min_rpm{this, 38, 0.0f, "rvalve_granular_min_rpm"};
    nv_float rvalve_granular_max_rpm{this, 39, 0.0f, "rvalve_granular_max_rpm"};
    NV_store::NV_item_array<8, rvalve_controller_t> rvalve_granular_controller{this, _get_root(), 40, "rvalve_granular_controller"};
    nv_u8 rvalve_granular_controller_sensitivity{this, 41, 0, "rvalve_granular_controller_sensitivity"};
    nv_u8 rvalve_liquid_mode{this, 42, 0, "rvalve_liquid_mode"};
    nv_bool rvalve_liquid_reverse_valve_direction{this, 43, false, "rvalve_liquid_reverse_valve_direction"};
    nv_bool rvalve_liquid_close_valve_if_tank_off{this, 44, false, "rvalve_liquid_close_valve_if_tank_off"};
    nv_bool rvalve_liquid_relay_on_when_tank_off{this, 45, false, "rvalve_liquid_relay_on_when_tank_off"};
    nv_u8 rvalve_liquid_sensitivity{this, 49, 0, "rvalve_liquid_sensitivity"};
    NV_store::NV_item_array<8, rvalve_controller_t> rvalve_liquid_controller{this, _get_root(), 50, "rvalve_liquid_controller"};
    nv_u8 rvalve_liquid_controller_sensitivity{this, 51, 0, "rvalve_liquid_controller_sensitivity"};
    nv_u8 pvalve_granular_mode{this, 52, 32, "pvalve_granular_mode"};
    nv_bool pvalve_granular_using_shaft_sensor{this, 53, false, "pvalve_granular_using_shaft_sensor"};
    nv_float pvalve_granular_encoder_ratio{this, 54, 1.0f, "pvalve_granular_encoder_ratio"};
    nv_float pvalve_granular_gear_ratio{this, 55, 0.0f, "pvalve_granular_gear_ratio"};
    nv_float pvalve_granular_shaft_sensor_ratio{this, 56, 1.0f, "pvalve_granular_shaft_sensor_ratio"};
    nv_float pvalve_granular_min_rpm{this, 57, 0.0f, "pvalve_granular_min_rpm"};
    nv_float pvalve_granular_max_rpm{this, 58, 0.0f, "pvalve_granular_max_rpm"};
    nv_u8 pvalve_granular_min_pwm_setting{this, 59, 0, "pvalve_granular_min_pwm_setting"};
    nv_u8 pvalve_granular_max_pwm_setting{this, 60, 0, "pvalve_granular_max_pwm_setting"};
    nv_u8 pvalve_granular_response_setting{this, 61, 0, "pvalve_granular_response_setting"};
    nv_u8 pvalve_liquid_mode{this, 62, 0, "pvalve_liquid_mode"};
    nv_u8 pvalve_liquid_min_pwm_setting{this, 63, 0, "pvalve_liquid_min_pwm_setting"};
    nv_u8 pvalve_liquid_max_pwm_setting{this, 64, 0, "pvalve_liquid_max_pwm_setting"};
    nv_u8 pvalve_liquid_response_setting{this, 65, 0, "pvalve_liquid_response_setting"};
    nv_bool full_width{this, 66, true, "full_width"};
    nv_bool sense_tank_level{this, 71, true, "sense_tank_level"};
    nv_float tank_fill_inc_dec{this, 72, 0.0f, "tank_fill_inc_dec"};
    nv_float liquid_filter_factor_pressure{this, 73, 0.9f, "liquid_filter_factor_pressure"};
    nv_bool liquid_filter_pressure{this, 74, true, "liquid_filter_pressure"};
    nv_u8 liquid_pressure_gain{this, 75, 1, "liquid_pressure_gain"};
    nv_float cal_setting{this, 76, 0.0f, "cal_setting"};
    nv_u8 assigned_to_boom{this, 77, 0, "assigned_to_boom"};
    nv_bool flow_confirmation_sensor_enabled{this, 78, false, "flow_confirmation_sensor_enabled"};
    nv_bool injection_mode_enabled{this, 79, false, "injection_mode_enabled"};
    nv_u8 assigned_to_pump{this, 80, 255, "assigned_to_pump"};
    nv_u8 head_system{this, 81, 0, "head_system"};
    nv_bool control_to_rpm{this, 82, false, "control_to_rpm"};
    nv_float motor_shaft_sensor_ratio{this, 83, 1.0f, "motor_shaft_sensor_ratio"};
    nv_float tank_on_time{this, 84, 0.0f, "tank_on_time"};
    nv_float tank_off_time{this, 85, 0.0f, "tank_off_time"};
    nv_u8 product_type{this, 98, 0, "product_type"};
};

}
