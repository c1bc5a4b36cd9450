#pragma once
#include "data_store/ds_record_macros.h"

// Data-store records: Product channels, booms with their sections, downforce channels and section monitors.
// Lists as explained in ds_record_macros.h.

#define ds_version_FIELDS(X) \
    X(LEAF, uint8_t, v_major, "uchar", "") \
    X(LEAF, uint8_t, v_minor, "uchar", "") \
    X(LEAF, uint8_t, v_patch, "uchar", "")
DS_RECORD(ds_version)

// Hidden: a final integer kept for the record's size and layout (starts at 11).
#define ds_channel_FIELDS(X) \
    X(LEAF, bool, product_assigned, "bool", "the channel has a product assigned") \
    X(LEAF, int32_t, product_number, "int", "Product number which has been assigned to that channel") \
    X(LEAF, double, active_width, "double", "Associated boom active width or Machine width") \
    X(LEAF, bool, active, "bool", "the channel sw is on") \
    X(LEAF, uint32_t, controller_section_state, "unsigned int", "target section state from ASC") \
    X(LEAF, double, requested_rate, "double", "The current rate requested by the user") \
    X(LEAF, float, physical_setpoint_time_latency, "float", "The time in seconds it takes for a change in the requested rate to reach the ground") \
    X(LEAF, double, actual_rate, "double", "The actual rate being output by the channel") \
    X(LEAF, double, min_rate, "double", "The min rate outputed by the channel") \
    X(LEAF, double, max_rate, "double", "The max rate outputed by the channel") \
    X(LEAF, float, min_rate_error, "float", "The min rate error outputed by the channel") \
    X(LEAF, float, max_rate_error, "float", "The max rate error outputed by the channel") \
    X(LEAF, double, flow_rate, "double", "The flow rate being output by the channel") \
    X(LEAF, double, shaft_rpm, "double", "The shaft speed of this channel") \
    X(LEAF, double, raw_shaft_rpm, "double", "The unfiltered shaft speed of this channel") \
    X(LEAF, double, raw_flow_rate, "double", "The unfiltered flow rate of this channel") \
    X(LEAF, bool, rate_variation, "bool", "The difference between requested_rate and") \
    X(LEAF, bool, rate_change_active, "bool", "The timer to indicate we have recently changed") \
    X(LEAF, uint32_t, set_period, "unsigned long", "The set period we wish the ECU to control to") \
    X(LEAF, uint32_t, actual_period, "unsigned long", "The actual shaft period received from the ECU") \
    X(LEAF, float, encoder_ratio, "float", "The encoder ratio that is currently used to determine the set period") \
    X(LEAF, uint32_t, pulse_ratio_calc, "unsigned int", "The pulse ratio calculated by KELTU") \
    X(LEAF, float, gear_ratio_calc, "float", "The calculated gear ratio") \
    X(LEAF, uint32_t, motor_pulse_count, "unsigned int", "The motor pulse count") \
    X(LEAF, float, motor_load, "float", "The motor load as a 0-100%") \
    X(LEAF, float, motor_current, "float", "The motor current Amps") \
    X(LEAF, double, remaining_volume, "double", "Amount of volume remaining in a tank") \
    X(LEAF, int32_t, rate_control_mode, "int", "For liquid channels (vrc/auto/manual)") \
    X(LEAF, bool, pump_output_active, "bool", "For pump control") \
    X(LEAF, bool, rate_inc_manual, "bool", "For liquid channels, cleared by the ECU when action performed") \
    X(LEAF, bool, rate_dec_manual, "bool", "For liquid channels, cleared by the ECU when action performed") \
    X(LEAF, float, liquid_pressure, "float", "kPa") \
    X(LEAF, bool, restart_liquid_pressure_filter, "bool", "True to restart filtering") \
    X(LEAF, double, nozzle_flow_rate, "double", "ml/sec") \
    X(LEAF, double, raw_nozzle_flow_rate, "double", "ml/sec") \
    X(LEAF, bool, selected, "bool", "") \
    X(LEAF, double, bin_capacity, "double", "FIXME: bin capacity is now in") \
    X(LEAF, bool, remote_preload, "bool", "Remote Preload active") \
    X(RECORD, ds_version, ecu_version, nullptr) \
    X(LEAF, uint32_t, active_nozzles, "unsigned int", "number of nozzles currently active") \
    X(LEAF, bool, sequence_time_expired, "bool", "Tank has finished its sequence time countdown") \
    X(LEAF, bool, cal_tank_switch_active, "bool", "The channel cal tank switch is on") \
    X(LEAF, bool, reset_pulse_count, "bool", "Reset the calibration pulse count.") \
    X(LEAF, int32_t, cultural_practise, "int", "TC object pool cultural practise") \
    X(LEAF, int32_t, type_instance, "int", "TC object pool type instance") \
    X(LEAF, float, cal_est_weight, "float", "Estimated weight during calibration") \
    X(LEAF, float, cal_act_revs, "float", "Actual revolutions during calibration") \
    X(LEAF, float, cal_act_weight, "float", "Actual weight during calibration") \
    X(LEAF, double, lifetime_total_volume, "double", "Lifetime total volume") \
    X(LEAF, double, lifetime_total_area, "double", "Lifetime total area") \
    X(LEAF, int32_t, prescription_control_state, "int", "Prescription control state sent to ISO VT") \
    X(LEAF, double, net_weight, "double", "Tank net weight in kg, typically as measured by Pondra ECU") \
    X(LEAF, float, max_contents, "float", "Max contents in tank (weight for granular or nh3, volume for liquid") \
    X(LEAF, double, last_product_density, "double", "Density of the last product used in Kg/Litre. Uploaded by non-VT") \
    X(HIDDEN, int32_t, reserved)
DS_RECORD(ds_channel)

#define ds_channels_FIELDS(X) \
    X(RECORDS, ds_channel, channels, 10, "")
DS_RECORD(ds_channels)

#define ds_downforces_FIELDS(X) \
    X(RECORDS, ds_channel, channels, 5, "")
DS_RECORD(ds_downforces)

// Hidden: the section's work states, kept by the control core: setpoint, actual,
// cached and switch state, then the delayed work state.
#define ds_section_FIELDS(X) \
    X(LEAF, int32_t, section_pending_count, "int", "") \
    X(HIDDEN, uint32_t, setpoint_work_state) \
    X(HIDDEN, uint32_t, actual_work_state) \
    X(HIDDEN, uint32_t, cached_state) \
    X(HIDDEN, uint32_t, switch_state) \
    X(HIDDEN, uint8_t, delayed_work_state)
DS_RECORD(ds_section)

#define ds_boom_FIELDS(X) \
    X(LEAF, int32_t, boom_state, "int", "") \
    X(LEAF, double, active_width, "double", "") \
    X(LEAF, bool, use_asc_boundary, "bool", "") \
    X(LEAF, bool, use_asc_coverage, "bool", "") \
    X(LEAF, uint32_t, section_sense_state, "unsigned int", "") \
    X(LEAF, uint32_t, section_drive_error_status, "unsigned int", "") \
    X(RECORDS, ds_section, sections, 10, "") \
    X(RECORD, ds_version, ecu_version, nullptr) \
    X(LEAF, uint32_t, section_control_state, "uint32_t", "") \
    X(LEAF, bool, active, "bool", "") \
    X(LEAF, bool, ignore_ASC, "bool", "Ignore sections states from ASC. Use cached state with switch state.")
DS_RECORD(ds_boom)

#define ds_booms_FIELDS(X) \
    X(RECORDS, ds_boom, boom, 6, "")
DS_RECORD(ds_booms)

#define ds_section_monitoring_tanks_FIELDS(X) \
    X(LEAF, int32_t, boom_assignment, "int", "The boom this tank is assigned to") \
    X(LEAF, int32_t, section_encoder_ratio, "int", "The pulses per rev for the section monitors on this tank")
DS_RECORD(ds_section_monitoring_tanks)

#define ds_section_monitoring_booms_FIELDS(X) \
    X(LEAF, int32_t, num_sections, "int", "The number of sections in this boom")
DS_RECORD(ds_section_monitoring_booms)

#define ds_section_monitoring_inputs_FIELDS(X) \
    X(LEAF, int32_t, tank, "int", "The tank that this input is assigned to") \
    X(LEAF, int32_t, boom, "int", "The boom that this input is assigned to") \
    X(LEAF, int32_t, section, "int", "The section that this input is assigned to")
DS_RECORD(ds_section_monitoring_inputs)

#define ds_section_monitoring_FIELDS(X) \
    X(LEAF, int32_t, num_tanks, "int", "Number of tanks") \
    X(RECORDS, ds_section_monitoring_tanks, tanks, 10, "") \
    X(RECORDS, ds_section_monitoring_booms, booms, 10, "") \
    X(LEAF, int32_t, num_inputs, "int", "The number of section monitor inputs being used") \
    X(RECORDS, ds_section_monitoring_inputs, inputs, 32, "") \
    X(LEAF, float, threshold_percent, "float", "The percent that the section shaft should be lower than the tank before alarm triggered") \
    X(LEAF, uint32_t, raw_pulsed_section_monitors_status, "unsigned int", "Status of pulsed section monitors") \
    X(LEAF, uint32_t, pulsed_section_monitors_status, "unsigned int", "filtered Status of pulsed section monitors") \
    X(LEAF, int32_t, pulsed_section_monitors_diagnostics_input, "int", "The pulsed section monitor input that disagnostic info will be recorded for") \
    X(LEAF, float, pulsed_section_monitors_diagnostics_section_rpm, "float", "The shaft rpm for the pulsed section monitor input that disagnostic info is being recorded for") \
    X(LEAF, float, pulsed_section_monitors_diagnostics_section_ratio, "float", "The ratio of the section shaft rpm to the tank shaft rpm for the pulsed section monitor disagnotsics input") \
    X(LEAF, int32_t, pulsed_section_monitors_diagnostics_boom, "int", "The boom that the pulsed section monitor diagnostics input belongs to") \
    X(LEAF, int32_t, pulsed_section_monitors_diagnostics_section, "int", "The section on the boom that the pulsed section monitor diagnostics input belongs to") \
    X(LEAF, bool, sections_settled, "bool", "Sections have had time to settle after rate or section change")
DS_RECORD(ds_section_monitoring)
