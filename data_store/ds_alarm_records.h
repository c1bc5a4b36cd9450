#pragma once
#include "data_store/ds_record_macros.h"
#include "data_store/ds_operation_records.h"

// Data-store records: Alarms and diagnostics.
// Lists as explained in ds_record_macros.h.

#define ds_alarm_FIELDS(X) \
    X(LEAF, bool, acknowledged, "bool", "User has acknowledged the alarm") \
    X(LEAF, bool, triggered, "bool", "The alarm has been triggered by the logic") \
    X(LEAF, bool, new_alarm, "bool", "The alarm has been triggered by the logic") \
    X(LEAF, bool, pending, "bool", "The alarm is waiting for delay count") \
    X(LEAF, bool, active, "bool", "Alarm is triggered and satisfies all inhibit")
DS_RECORD(ds_alarm)

#define ds_alarms_FIELDS(X) \
    X(RECORD, ds_alarm, fan_pressure_low, nullptr) \
    X(RECORD, ds_alarm, fan_pressure_high, nullptr) \
    X(RECORD, ds_alarm, fan_speed_low, nullptr) \
    X(RECORD, ds_alarm, fan_speed_high, nullptr) \
    X(RECORDS, ds_alarm, fan_sensor_fail, 4, "") \
    X(RECORDS, ds_alarm, tank_low, 10, "") \
    X(RECORDS, ds_alarm, tank_empty, 10, "") \
    X(RECORDS, ds_alarm, liquid_pressure_min, 10, "") \
    X(RECORDS, ds_alarm, liquid_pressure_max, 10, "") \
    X(RECORD, ds_alarm, temperature, nullptr) \
    X(RECORDS, ds_alarm, tank_motor_sensor, 10, "") \
    X(RECORDS, ds_alarm, tank_motor_jam, 10, "") \
    X(RECORDS, ds_alarm, tank_gear, 10, "") \
    X(RECORDS, ds_alarm, tank_shaft, 10, "") \
    X(RECORDS, ds_alarm, tank_alt_rate_in_use, 10, "") \
    X(RECORDS, ds_alarm, tank_incorrect_rate, 10, "") \
    X(RECORDS, ds_alarm, tank_off_master_on, 10, "") \
    X(RECORDS, ds_alarm, tank_active_no_rate, 10, "") \
    X(RECORD, ds_alarm, no_flow_tanks_off, nullptr) \
    X(RECORD, ds_alarm, no_flow_no_speed, nullptr) \
    X(RECORD, ds_alarm, no_flow_no_fan, nullptr) \
    X(RECORD, ds_alarm, no_flow_no_fan_pressure, nullptr) \
    X(RECORD, ds_alarm, master_off, nullptr) \
    X(RECORD, ds_alarm, no_comms, nullptr) \
    X(RECORD, ds_alarm, blocked_head, nullptr) \
    X(RECORDS, ds_alarm, shaft_moving_tank_off, 10, "") \
    X(RECORDS, ds_alarm, tank_no_liquid_flow, 10, "") \
    X(RECORD, ds_alarm, section_switching, nullptr) \
    X(RECORDS, ds_alarm, pump_speed_low, 4, "") \
    X(RECORDS, ds_alarm, pump_speed_high, 4, "") \
    X(RECORD, ds_alarm, case_drain, nullptr) \
    X(RECORD, ds_alarm, ladder_switch, nullptr) \
    X(RECORD, ds_alarm, aux_rpm_speed_low, nullptr) \
    X(RECORD, ds_alarm, aux_rpm_speed_high, nullptr) \
    X(RECORD, ds_alarm, down_force_off_master_on, nullptr) \
    X(RECORD, ds_alarm, drill_raised_master_on, nullptr) \
    X(RECORD, ds_alarm, hydraulic_pressure_low, nullptr) \
    X(RECORD, ds_alarm, master_on_tillage_off, nullptr)
DS_RECORD(ds_alarms)

#define ds_shaft_FIELDS(X) \
    X(LEAF, uint32_t, period, "unsigned long", "") \
    X(LEAF, uint32_t, pulse_count, "unsigned int", "")
DS_RECORD(ds_shaft)

#define ds_adc_FIELDS(X) \
    X(LEAF, uint32_t, adc_val, "unsigned int", "")
DS_RECORD(ds_adc)

#define ds_fans_diags_FIELDS(X) \
    X(RECORD, ds_shaft, shaft, nullptr) \
    X(RECORD, ds_adc, adc, nullptr)
DS_RECORD(ds_fans_diags)

#define ds_actuator_diags_FIELDS(X) \
    X(RECORD, ds_adc, adc, nullptr)
DS_RECORD(ds_actuator_diags)

#define ds_downforce_diags_FIELDS(X) \
    X(RECORD, ds_adc, df_adc, nullptr) \
    X(RECORD, ds_adc, press_adc, nullptr)
DS_RECORD(ds_downforce_diags)

#define ds_spray_ecu_diag_FIELDS(X) \
    X(LEAF, uint8_t, state, "uchar", "Spray ECU state") \
    X(LEAF, uint8_t, button_state, "uchar", "Spray ECU button state") \
    X(ARRAY, uint8_t, boom_state, 4, "uchar", "Spray ECU boom states") \
    X(LEAF, uint8_t, button_box_found, "uchar", "Spray ECU button box found")
DS_RECORD(ds_spray_ecu_diag)

#define ds_frame_swbox_diags_FIELDS(X) \
    X(LEAF, uint8_t, switch_state, "uchar", "Switch state") \
    X(LEAF, uint8_t, button_state, "uchar", "Button state") \
    X(LEAF, uint8_t, guide_state, "uchar", "Guide state") \
    X(LEAF, uint8_t, LED_state, "uchar", "LED state")
DS_RECORD(ds_frame_swbox_diags)

#define ds_comms_diags_FIELDS(X) \
    X(LEAF, uint32_t, valid_messages, "unsigned int", "System valid replies") \
    X(LEAF, uint32_t, system_count, "unsigned int", "System missed comms") \
    X(ARRAY, uint32_t, ecu_count, 22, "unsigned int", "ECU missed comms") \
    X(LEAF, uint32_t, poll_id_count_0, "unsigned int", "Poll ID0 missed comms") \
    X(LEAF, uint32_t, poll_id_count_1, "unsigned int", "Poll ID1 missed comms") \
    X(LEAF, uint32_t, poll_id_count_2, "unsigned int", "Poll ID2 missed comms") \
    X(LEAF, uint32_t, poll_id_count_3, "unsigned int", "Poll ID3 missed comms") \
    X(LEAF, uint32_t, poll_id_count_4, "unsigned int", "Poll ID4 missed comms") \
    X(LEAF, uint32_t, poll_id_count_5, "unsigned int", "Poll ID5 missed comms") \
    X(LEAF, uint32_t, poll_id_count_6, "unsigned int", "Poll ID6 missed comms") \
    X(LEAF, uint32_t, poll_id_count_7, "unsigned int", "Poll ID7 missed comms") \
    X(LEAF, uint32_t, poll_id_count_8, "unsigned int", "Poll ID8 missed comms") \
    X(LEAF, uint32_t, poll_id_count_9, "unsigned int", "Poll ID9 missed comms") \
    X(LEAF, uint32_t, poll_id_count_10, "unsigned int", "Poll ID10 missed comms") \
    X(LEAF, uint32_t, poll_id_count_11, "unsigned int", "Poll ID11 missed comms") \
    X(LEAF, uint32_t, poll_id_count_12, "unsigned int", "Poll ID12 missed comms") \
    X(LEAF, uint32_t, poll_id_count_13, "unsigned int", "Poll ID13 missed comms") \
    X(LEAF, uint32_t, poll_id_count_14, "unsigned int", "Poll ID14 missed comms") \
    X(LEAF, uint32_t, poll_id_count_15, "unsigned int", "Poll ID15 missed comms") \
    X(LEAF, uint32_t, poll_id_count_16, "unsigned int", "Poll ID16 missed comms") \
    X(LEAF, uint32_t, poll_id_count_17, "unsigned int", "Poll ID17 missed comms") \
    X(LEAF, uint32_t, poll_id_count_18, "unsigned int", "Poll ID18 missed comms") \
    X(LEAF, uint32_t, poll_id_count_19, "unsigned int", "Poll ID19 missed comms") \
    X(LEAF, uint32_t, poll_id_count_20, "unsigned int", "Poll ID20 missed comms") \
    X(LEAF, uint32_t, poll_id_count_21, "unsigned int", "Poll ID21 missed comms") \
    X(LEAF, uint32_t, poll_id_count_22, "unsigned int", "Poll ID22 missed comms") \
    X(LEAF, uint32_t, poll_id_count_23, "unsigned int", "Poll ID23 missed comms") \
    X(LEAF, uint32_t, poll_id_count_24, "unsigned int", "Poll ID24 missed comms") \
    X(LEAF, uint32_t, poll_id_count_25, "unsigned int", "Poll ID25 missed comms") \
    X(LEAF, uint32_t, poll_id_count_26, "unsigned int", "Poll ID26 missed comms") \
    X(LEAF, uint32_t, poll_id_count_27, "unsigned int", "Poll ID27 missed comms") \
    X(LEAF, uint32_t, poll_id_count_28, "unsigned int", "Poll ID28 missed comms") \
    X(LEAF, uint32_t, poll_id_count_29, "unsigned int", "Poll ID29 missed comms") \
    X(LEAF, uint32_t, poll_id_count_30, "unsigned int", "Poll ID30 missed comms") \
    X(LEAF, uint32_t, poll_id_count_31, "unsigned int", "Poll ID31 missed comms") \
    X(LEAF, uint32_t, poll_id_count_32, "unsigned int", "Poll ID32 missed comms") \
    X(LEAF, uint32_t, poll_id_count_33, "unsigned int", "Poll ID33 missed comms") \
    X(LEAF, uint32_t, poll_id_count_34, "unsigned int", "Poll ID34 missed comms") \
    X(LEAF, uint32_t, poll_id_count_35, "unsigned int", "Poll ID35 missed comms") \
    X(LEAF, uint32_t, poll_id_count_36, "unsigned int", "Poll ID36 missed comms") \
    X(LEAF, uint32_t, poll_id_count_37, "unsigned int", "Poll ID37 missed comms")
DS_RECORD(ds_comms_diags)

#define ds_diagnostics_FIELDS(X) \
    X(LEAF, bool, showing_diagnostics, "bool", "Diags are visible on the VT") \
    X(RECORDS, ds_shaft, shaft, 10, "Current shaft stats") \
    X(RECORD, ds_ground_speed_sensor, ground_speed, "Current ground speed stats") \
    X(RECORDS, ds_fans_diags, fans, 5, "Current fan stats") \
    X(RECORDS, ds_actuator_diags, actuator, 10, "Current actuator/motor stats") \
    X(RECORDS, ds_downforce_diags, downforce, 5, "Current downforce stats") \
    X(RECORDS, ds_adc, motor_current, 10, "Motor current stats") \
    X(ARRAY, bool, level_sensor_on, 10, "bool", "Current bin levels sensor ") \
    X(RECORDS, ds_adc, liquid_pressure_sensor, 10, "Current liquid pressure") \
    X(RECORDS, ds_spray_ecu_diag, spray_ecu, 2, "Spray ECU stats") \
    X(RECORD, ds_frame_swbox_diags, frame_swbox, "Current frame switch box stats") \
    X(LEAF, bool, case_drain_state, "bool", "") \
    X(RECORD, ds_comms_diags, comms, "Current comms stats") \
    X(LEAF, bool, ladder_switch_state, "bool", "")
DS_RECORD(ds_diagnostics)
