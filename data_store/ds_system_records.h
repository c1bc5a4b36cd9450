#pragma once
#include "data_store/ds_record_macros.h"
#include "data_store/ds_channel_records.h"

// Data-store records: monitor ECUs, the controller's identity and life cycle, the ECUs of the bus, simulation,
// the file-server and Task Controller interfaces, and the records no group holds in the tree.
// Lists as explained in ds_record_macros.h.

// Room for the controller's own ISO 11783 NAME object, which the CAN layer's
// NAME type fills and reads; the store only keeps it (24 bytes, 8-aligned).
struct Iso_name_slot {
    alignas(8) unsigned char bytes[24];
};

#define ds_monitor_ecu_FIELDS(X) \
    X(RECORD, ds_version, version, nullptr) \
    X(LEAF, uint8_t, setup_mode, "uchar", "") \
    X(ARRAY, uint8_t, monitor_state, 4, "uchar", "")
DS_RECORD(ds_monitor_ecu)

#define ds_monitor_ecus_FIELDS(X) \
    X(ARRAY, uint8_t, monitor_inputs_active, 20, "uchar", "") \
    X(ARRAY, uint8_t, monitor_inputs_inhibited, 20, "uchar", "") \
    X(ARRAY, uint8_t, monitor_latched_inputs_active, 20, "uchar", "") \
    X(RECORDS, ds_monitor_ecu, monitor_ecu, 5, "") \
    X(LEAF, int32_t, monitor_power_cycle_timer, "int", "") \
    X(LEAF, int32_t, monitor_inhibit_timer, "int", "") \
    X(LEAF, bool, activate_faulty_sensor_identification, "bool", "") \
    X(LEAF, bool, activate_auto_detect, "bool", "") \
    X(LEAF, bool, detect_sensors_completed, "bool", "") \
    X(ARRAY, bool, head_system_active, 3, "bool", "")
DS_RECORD(ds_monitor_ecus)

#define ds_system_id_FIELDS(X) \
    X(LEAF, uint32_t, long_hash, "uint32_t", "") \
    X(LEAF, uint16_t, short_hash, "uint16_t", "")
DS_RECORD(ds_system_id)

#define ds_system_info_FIELDS(X) \
    X(RECORD, ds_system_id, receiver_id, nullptr)
DS_RECORD(ds_system_info)

#define ds_firmware_version_FIELDS(X) \
    X(ARRAY, char, string, 12, "char", "")
DS_RECORD(ds_firmware_version)

#define ds_app_upgrade_command_FIELDS(X) \
    X(LEAF, uint8_t, command, "uint8_t", "") \
    X(LEAF, uint8_t, type, "uint8_t", "")
DS_RECORD(ds_app_upgrade_command)

#define ds_app_upgrade_status_FIELDS(X) \
    X(LEAF, uint8_t, state, "uint8_t", "") \
    X(LEAF, uint8_t, progress, "uint8_t", "") \
    X(LEAF, uint8_t, error_state, "uint8_t", "")
DS_RECORD(ds_app_upgrade_status)

// Hidden: iso_name, the controller's own NAME.
#define ds_system_FIELDS(X) \
    X(RECORD, ds_system_info, info, nullptr) \
    X(RECORD, ds_firmware_version, firmware_version, nullptr) \
    X(LEAF, uint64_t, mac_address, "uint64_t", "") \
    X(LEAF, uint32_t, ip_address, "uint32_t", "") \
    X(HIDDEN, Iso_name_slot, iso_name) \
    X(LEAF, uint32_t, hardware_id, "unsigned int", "") \
    X(LEAF, bool, alive, "bool", "") \
    X(LEAF, bool, vt_alive, "bool", "") \
    X(LEAF, bool, tc_alive, "bool", "") \
    X(LEAF, bool, non_vtt_connected, "bool", "") \
    X(LEAF, bool, reset_tc, "bool", "") \
    X(LEAF, bool, switch_tc, "bool", "") \
    X(LEAF, uint32_t, reset_tc_counter, "uint32_t", "") \
    X(LEAF, bool, vt_uploaded, "bool", "") \
    X(LEAF, uint32_t, ECU_status, "unsigned int", "") \
    X(LEAF, int32_t, initiate_shutdown, "int", "") \
    X(LEAF, bool, operate_as_master, "bool", "") \
    X(LEAF, bool, reset_params_required, "bool", "params will be reset when operate_as_master event is handled") \
    X(RECORD, ds_app_upgrade_command, app_upgrade_command, nullptr) \
    X(RECORD, ds_app_upgrade_status, app_upgrade_status, nullptr) \
    X(LEAF, bool, firmware_upgrade_mode, "bool", "") \
    X(LEAF, bool, non_vtt_timeout, "bool", "")
DS_RECORD(ds_system)

#define ds_isoecu_FIELDS(X) \
    X(LEAF, uint64_t, name, "uint64_t", "") \
    X(LEAF, uint8_t, address, "uchar", "") \
    X(LEAF, uint8_t, type, "uchar", "")
DS_RECORD(ds_isoecu)

#define ds_serial_id_FIELDS(X) \
    X(ARRAY, uint8_t, id, 12, "uint8_t", "MSB first")
DS_RECORD(ds_serial_id)

// Hidden: the ECU's 64-bit ISO NAME, all bits set while the slot holds no ECU.
#define ds_ecu_info_FIELDS(X) \
    X(RECORD, ds_version, version, nullptr) \
    X(RECORD, ds_serial_id, serial_id, nullptr) \
    X(HIDDEN, uint64_t, iso_name)
DS_RECORD(ds_ecu_info)

#define ds_ecu_config_FIELDS(X) \
    X(LEAF, bool, clear_and_detect_ecus, "bool", "clear ISO ECU list and redetect ECUs") \
    X(RECORDS, ds_isoecu, isoecu_list, 31, "") \
    X(RECORDS, ds_ecu_info, ecu_info, 13, "") \
    X(LEAF, int32_t, internal_slave_identity, "int32_t", "internal slave identity") \
    X(RECORD, ds_version, internal_slave_version, nullptr) \
    X(RECORDS, ds_version, ioecu_aux_mcu_version, 5, "")
DS_RECORD(ds_ecu_config)

#define ds_simulation_FIELDS(X) \
    X(LEAF, bool, enabled, "bool", "")
DS_RECORD(ds_simulation)

#define ds_fs_interface_FIELDS(X) \
    X(ARRAY, char, file_name, 80, "char", "") \
    X(ARRAY, uint8_t, signature, 16, "unsigned char", "") \
    X(LEAF, int32_t, error, "int", "")
DS_RECORD(ds_fs_interface)

#define ds_bin_FIELDS(X) \
    X(LEAF, int32_t, chan_num, "int", "") \
    X(LEAF, double, content_setpoint, "double", "") \
    X(LEAF, double, maximum_content, "double", "")
DS_RECORD(ds_bin)

// Hidden: 1 while the channel's tank is of type 1, else 0 (written by the tank settings).
#define ds_chan_FIELDS(X) \
    X(HIDDEN, int32_t, tank_type_flag) \
    X(LEAF, double, default_rate, "double", "") \
    X(RECORD, ds_bin, bin, nullptr)
DS_RECORD(ds_chan)

// Hidden: eight bytes between total_time and working_width, kept for the layout.
#define ds_tc_interface_FIELDS(X) \
    X(RECORDS, ds_chan, channels, 10, "") \
    X(LEAF, double, total_area, "double", "") \
    X(LEAF, double, total_distance, "double", "") \
    X(LEAF, double, total_time, "double", "") \
    X(HIDDEN, uint64_t, reserved) \
    X(LEAF, double, working_width, "double", "") \
    X(LEAF, double, max_working_width, "double", "") \
    X(LEAF, double, offset_x, "double", "") \
    X(LEAF, double, offset_y, "double", "") \
    X(LEAF, double, offset_z, "double", "") \
    X(LEAF, int32_t, lifetime_effective_time, "int32_t", "") \
    X(LEAF, int32_t, lifetime_ineffective_time, "int32_t", "")
DS_RECORD(ds_tc_interface)

#define ds_swbox_FIELDS(X) \
    X(LEAF, uint8_t, name_claimed, "uint8_t", "") \
    X(LEAF, bool, no_comms, "bool", "")
DS_RECORD(ds_swbox)

#define ds_swbox_id_FIELDS(X) \
    X(LEAF, uint32_t, id, "uint32_t", "")
DS_RECORD(ds_swbox_id)

#define ds_swboxes_FIELDS(X) \
    X(RECORD, ds_swbox, frame, nullptr) \
    X(RECORD, ds_swbox, cabin, nullptr) \
    X(LEAF, uint32_t, console_locked_by, "uint32_t", "") \
    X(LEAF, bool, running_selected_tanks, "bool", "") \
    X(LEAF, uint32_t, detected_count, "uint32_t", "") \
    X(RECORDS, ds_swbox_id, detected, 8, "") \
    X(LEAF, uint32_t, reset_key_by, "uint32_t", "") \
    X(LEAF, uint32_t, flashing_keypad_id, "uint32_t", "") \
    X(LEAF, uint32_t, calibration_request_no, "uint32_t", "") \
    X(LEAF, bool, calibration_allowed, "bool", "") \
    X(LEAF, uint32_t, detected_count_plus_1, "uint32_t", "") \
    X(LEAF, uint32_t, master_switch_attempt_no, "uint32_t", "") \
    X(LEAF, uint32_t, tank_fill_key_request_no, "uint32_t", "") \
    X(LEAF, uint32_t, tank_empty_key_request_no, "uint32_t", "") \
    X(LEAF, bool, update_leds, "bool", "") \
    X(LEAF, bool, autofill_run_stop_button_down, "bool", "")
DS_RECORD(ds_swboxes)

#define ds_fs_volume_FIELDS(X) \
    X(ARRAY, char, volume_name, 20, "char", "")
DS_RECORD(ds_fs_volume)

#define ds_fs_volume_info_FIELDS(X) \
    X(LEAF, uint32_t, num_volumes, "unsigned int", "") \
    X(RECORDS, ds_fs_volume, fs_volume, 5, "")
DS_RECORD(ds_fs_volume_info)
