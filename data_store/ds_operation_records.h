#pragma once
#include "data_store/ds_record_macros.h"
#include "data_store/ds_system_records.h"

// Data-store records: Vehicle speed, operation, fans, totals, temperatures, the user interface's working state and history.
// Lists as explained in ds_record_macros.h.

// Ten sub-area totals for each of ten tanks, ahead of the published total.
using Sub_totals = float[10][10];

#define ds_ground_speed_sensor_FIELDS(X) \
    X(LEAF, uint32_t, period, "unsigned long", "") \
    X(LEAF, uint32_t, pulse_count, "unsigned int", "")
DS_RECORD(ds_ground_speed_sensor)

#define ds_vehicle_FIELDS(X) \
    X(RECORD, ds_ground_speed_sensor, ground_speed_sensor, nullptr) \
    X(LEAF, float, gps_speed, "float", "The gps speed") \
    X(LEAF, float, source_speed, "float", "Raw speed from speed source") \
    X(LEAF, float, speed, "float", "The current implement speed")
DS_RECORD(ds_vehicle)

#define ds_tank_calibration_FIELDS(X) \
    X(LEAF, bool, calibrating_tank, "bool", "")
DS_RECORD(ds_tank_calibration)

#define ds_frame_swbox_FIELDS(X) \
    X(LEAF, bool, found, "bool", "")
DS_RECORD(ds_frame_swbox)

#define ds_calibration_scale_FIELDS(X) \
    X(LEAF, bool, scale_enabled, "bool", "Calibration scale is enabled") \
    X(LEAF, float, gross_weight, "float", "The last net weight recorded by calibration scale")
DS_RECORD(ds_calibration_scale)

#define ds_operation_FIELDS(X) \
    X(LEAF, bool, use_manual_speed, "bool", "Using manual speed rather than ") \
    X(LEAF, bool, master_switch_active, "bool", "Current state of the master switch") \
    X(LEAF, bool, tillage_switch_active, "bool", "State of tillage switch") \
    X(LEAF, bool, inhibit_master_switch, "bool", "Inhibit the master switch from activating tanks") \
    X(LEAF, int32_t, calibration_state, "int", "Indicates calibration mode") \
    X(RECORDS, ds_tank_calibration, tank, 10, "") \
    X(LEAF, bool, cal_swbox_run_stop_active, "bool", "Current state of the cal run/stop switch") \
    X(LEAF, bool, cal_swbox_reset_active, "bool", "Current state of the cal reset switch") \
    X(LEAF, bool, reset_diag_data, "bool", "Reset diagnostic data") \
    X(RECORD, ds_frame_swbox, frame_swbox, nullptr) \
    X(LEAF, bool, illegal_master_switch_action, "bool", "Turned on master when inhibitted") \
    X(LEAF, bool, ignore_tank_switches, "bool", "Tank switches on switchbox ignored") \
    X(LEAF, bool, preload_active, "bool", "Indicates when at least one tank is in preload") \
    X(LEAF, int32_t, preload_time_remaining, "int", "Time until preload is completed") \
    X(RECORDS, ds_calibration_scale, calibration_scales, 8, "") \
    X(LEAF, int32_t, calibration_scale_dec_places, "int", "Number of decimal places in values returned by weigh scales") \
    X(LEAF, int32_t, calibration_scales_mode, "int", "Disabled/Single/Multiple") \
    X(LEAF, bool, priming, "bool", "Is Preload (but not Prime!) currently in progress") \
    X(LEAF, bool, drill_lift, "bool", "State of the drill lift output (1=raised)") \
    X(LEAF, bool, setpoint_drill_lift, "bool", "Requested state of the drill lift output")
DS_RECORD(ds_operation)

#define ds_fan_FIELDS(X) \
    X(LEAF, float, rpm, "float", "Current rpm of fan x") \
    X(LEAF, float, raw_rpm, "float", "Current raw rpm of fan x") \
    X(LEAF, float, pressure, "float", "Current air pressure for fan x") \
    X(LEAF, uint32_t, period, "unsigned int", "Current encoder period") \
    X(LEAF, uint32_t, stopped_count, "unsigned int", "Current encoder stopped shaft count")
DS_RECORD(ds_fan)

#define ds_total_FIELDS(X) \
    X(LEAF, float, total, "float", "")
DS_RECORD(ds_total)

#define ds_areas_FIELDS(X) \
    X(HIDDEN, Sub_totals, sub_area) \
    X(RECORDS, ds_total, area, 1, "Total area covered") \
    X(LEAF, float, area_rate, "float", "Rate at which area is being covered") \
    X(LEAF, uint32_t, sub_area_number, "unsigned int", "Current sub area being displayed")
DS_RECORD(ds_areas)

#define ds_volumes_FIELDS(X) \
    X(HIDDEN, Sub_totals, sub_volume) \
    X(RECORDS, ds_total, volume, 1, "Total product output")
DS_RECORD(ds_volumes)

#define ds_temperature_FIELDS(X) \
    X(ARRAY, float, value, 2, "float", "Temperature of ECU - one sensor for ")
DS_RECORD(ds_temperature)

// Hidden: the file server's volume list, written by the file-server client.
#define ds_internal_FIELDS(X) \
    X(LEAF, uint32_t, current_product_index, "unsigned int", "") \
    X(LEAF, uint32_t, current_channel_index, "unsigned int", "") \
    X(LEAF, uint32_t, current_wheel_cal_step, "unsigned int", "") \
    X(LEAF, uint32_t, current_tank_cal_step, "unsigned int", "") \
    X(LEAF, uint32_t, current_tank_cal_index, "unsigned int", "") \
    X(LEAF, uint32_t, current_area_test_step, "unsigned int", "") \
    X(LEAF, bool, inhibit_vt_alarms, "bool", "") \
    X(HIDDEN, ds_fs_volume_info, fs_volume_info)
DS_RECORD(ds_internal)

#define ds_history_FIELDS(X) \
    X(LEAF, float, job_operating_time, "float", "Operation time for current job -") \
    X(LEAF, float, machine_operating_time, "float", "Total implement time - stored in") \
    X(LEAF, float, machine_operating_area, "float", "Total implement area - stored in") \
    X(LEAF, float, machine_operating_distance, "float", "Total implement distance - stored in") \
    X(LEAF, float, max_speed, "float", "Max speed - stored in parameters") \
    X(ARRAY, float, output, 10, "float", "Output - stored in parameters") \
    X(ARRAY, float, shaft_max_speed, 10, "float", "Max shaft rpm - stored in parameters") \
    X(ARRAY, float, fan_max_speed, 5, "float", "Max Fan speed - stored in parameters") \
    X(ARRAY, float, fan_max_pressure, 4, "float", "Max Fan pressure - stored in") \
    X(ARRAY, float, fan_avg_speed, 5, "float", "Avg Fan speed - stored in parameters") \
    X(ARRAY, float, fan_avg_pressure, 4, "float", "Avg Fan pressure - stored in") \
    X(ARRAY, uint32_t, fan_speed_samples, 5, "unsigned int", "Counter for the no. of fan speed") \
    X(ARRAY, uint32_t, fan_pressure_samples, 4, "unsigned int", "Counter for the no. of fan pressure") \
    X(LEAF, uint32_t, fan_samples_counter, "unsigned int", "The age of the Fan speed and pressure")
DS_RECORD(ds_history)
