#pragma once
#include "params/alarms_t.h"
#include "params/areas_t.h"
#include "params/booms_t.h"
#include "params/channel_t.h"
#include "params/fan_t.h"
#include "params/history_t.h"
#include "params/machine_geometry_t.h"
#include "params/monitor_ecus_t.h"
#include "params/products_t.h"
#include "params/swbox_mapping_t.h"
#include "params/volumes_t.h"

namespace NV_quvel {

// Everything about the machine and its work that survives a restart: group "app".
class application_t : public NV_store::NV_struct {
    NV_QUVEL_RECORD(application_t)

    NV_store::NV_item_array<10, channel_t> channels{this, _get_root(), 1, "channels"};
    NV_store::NV_item_array<5, fan_t> fans{this, _get_root(), 2, "fans"};
    NV_store::NV_item_array<16, products_t> products{this, _get_root(), 3, "products"};
    nv_bool fans_low_speed_tank_cutout_enabled{this, 4, false, "fans_low_speed_tank_cutout_enabled"};
    nv_float machine_width{this, 6, 0.0f, "machine_width"};
    nv_float speed_filter_factor{this, 9, 0.9f, "speed_filter_factor"};
    nv_bool filter_speed{this, 10, false, "filter_speed"};
    nv_float wheel_cal_factor{this, 11, 0.0f, "wheel_cal_factor"};
    nv_float manual_speed{this, 12, 10.0f, "manual_speed"};
    nv_u8 speed_source{this, 13, 1, "speed_source"};
    nv_bool swbox_ext_toggle_up_is_on{this, 14, false, "swbox_ext_toggle_up_is_on"};
    nv_u8 swbox_cal_swbox_type{this, 15, 0, "swbox_cal_swbox_type"};
    nv_u8 swbox_external_swbox_type{this, 16, 0, "swbox_external_swbox_type"};
    nv_u8 swbox_remote_master_mode{this, 17, 0, "swbox_remote_master_mode"};
    nv_u8 swbox_bbox_master_sw_mode{this, 18, 0, "swbox_bbox_master_sw_mode"};
    nv_u8 swbox_ecu_master_sw_mode{this, 19, 0, "swbox_ecu_master_sw_mode"};
    nv_u8 swbox_bbox_tank_sw_mode{this, 20, 0, "swbox_bbox_tank_sw_mode"};
    nv_float temp_sensor_cal{this, 21, 0.0f, "temp_sensor_cal"};
    nv_bool using_keltu{this, 22, true, "using_keltu"};
    nv_u8 personality{this, 23, 0, "personality"};
    nv_u8 save_time{this, 24, 4, "save_time"};
    nv_float preload_time{this, 25, 0.0f, "preload_time"};
    areas_t areas{this, _get_root(), 26, "areas"};
    volumes_t volumes{this, _get_root(), 27, "volumes"};
    nv_float job_operating_time{this, 28, 0.0f, "job_operating_time"};
    alarms_t alarms{this, _get_root(), 29, "alarms"};
    history_t history{this, _get_root(), 30, "history"};
    nv_bool power_sat_box_enabled{this, 31, false, "power_sat_box_enabled"};
    monitor_ecus_t monitor_ecus{this, _get_root(), 32, "monitor_ecus"};
    nv_u8 ecu_config{this, 33, 0, "ecu_config"};
    booms_t booms{this, _get_root(), 34, "booms"};
    nv_bool gran_sec_control_at_dist_head{this, 35, true, "gran_sec_control_at_dist_head"};
    nv_bool using_master_clutch{this, 36, false, "using_master_clutch"};
    nv_u8 num_channels{this, 37, 1, "num_channels"};
    NV_store::NV_item_array<10, swbox_mapping_t> swbox_mapping{this, _get_root(), 38, "swbox_mapping"};
    nv_bool using_case_drain_alarm{this, 39, false, "using_case_drain_alarm"};
    nv_bool RS485_termination_enabled{this, 40, false, "RS485_termination_enabled"};
    nv_u8 cal_to_preset_value{this, 41, 0, "cal_to_preset_value"};
    nv_i8 calibration_drive_channel{this, 42, -1, "calibration_drive_channel"};
    nv_bool vt_mode_enable_tc_boom_section{this, 49, false, "vt_mode_enable_tc_boom_section"};
    nv_bool using_ladder_switch_alarm{this, 50, false, "using_ladder_switch_alarm"};
    NV_store::NV_item_array<5, channel_t> downforces{this, _get_root(), 51, "downforces"};
    nv_bool drill_control_enabled{this, 52, false, "drill_control_enabled"};
    nv_bool down_force_track_master{this, 53, false, "down_force_track_master"};
    nv_bool control_to_pack_force{this, 54, false, "control_to_pack_force"};
    nv_u8 drill_opener_type{this, 55, 0, "drill_opener_type"};
    nv_float sensor_max_pressure{this, 56, 0.0f, "sensor_max_pressure"};
    nv_float sensor_min_voltage{this, 57, 0.0f, "sensor_min_voltage"};
    nv_float sensor_max_voltage{this, 58, 0.0f, "sensor_max_voltage"};
    nv_float load_sensor_max_load{this, 59, 0.0f, "load_sensor_max_load"};
    nv_u8 load_sensor_min_ADC{this, 60, 0, "load_sensor_min_ADC"};
    nv_u8 load_sensor_max_ADC{this, 61, 0, "load_sensor_max_ADC"};
    nv_bool using_tillage_master_switch{this, 62, false, "using_tillage_master_switch"};
    nv_i32 fan_speed_to_start{this, 63, 0, "fan_speed_to_start"};
    machine_geometry_t machine_geometry{this, _get_root(), 75, "machine_geometry"};
};

}
