#pragma once
#include "data_store/ds_alarm_records.h"
#include "data_store/ds_channel_records.h"
#include "data_store/ds_operation_records.h"
#include "data_store/ds_record_macros.h"
#include "data_store/ds_system_records.h"

#include <cstddef>

// The groups of the live data store, in order. Every subsystem names an item
// by its offset from the start of the body and its size, so the layout is a
// contract: the sizes below are the ones the other subsystems rely on.
#define data_store_body_FIELDS(X) \
    X(RECORD, ds_channels, channels, nullptr) \
    X(RECORD, ds_booms, booms, nullptr) \
    X(RECORD, ds_downforces, downforces, nullptr) \
    X(RECORD, ds_vehicle, vehicle, nullptr) \
    X(RECORD, ds_operation, operation, nullptr) \
    X(RECORDS, ds_fan, fans, 5, "") \
    X(RECORD, ds_areas, areas, nullptr) \
    X(RECORD, ds_volumes, volumes, nullptr) \
    X(RECORD, ds_alarms, alarms, nullptr) \
    X(RECORD, ds_temperature, temperatures, nullptr) \
    X(RECORD, ds_internal, internal, nullptr) \
    X(RECORD, ds_history, history, nullptr) \
    X(RECORD, ds_diagnostics, diagnostics, nullptr) \
    X(RECORD, ds_monitor_ecus, monitor_ecus, nullptr) \
    X(RECORD, ds_system, system, nullptr) \
    X(RECORD, ds_ecu_config, ecu_config, nullptr) \
    X(RECORD, ds_simulation, simulation, nullptr) \
    X(RECORD, ds_section_monitoring, section_monitors, nullptr) \
    X(RECORD, ds_fs_interface, fs_interface, nullptr) \
    X(RECORD, ds_tc_interface, interface, nullptr)
DS_RECORD(data_store_body)

static_assert(sizeof(ds_version) == 3, "ds_version");
static_assert(sizeof(ds_channel) == 288, "ds_channel");
static_assert(sizeof(ds_channels) == 2880, "channels group");
static_assert(sizeof(ds_section) == 24, "ds_section");
static_assert(sizeof(ds_boom) == 280, "ds_boom");
static_assert(sizeof(ds_vehicle) == 20, "ds_vehicle");
static_assert(sizeof(ds_operation) == 108, "ds_operation");
static_assert(sizeof(ds_fan) * 5 == 100, "fans group");
static_assert(sizeof(ds_areas) == 412, "ds_areas");
static_assert(sizeof(ds_volumes) == 404, "ds_volumes");
static_assert(sizeof(ds_alarm) == 5, "ds_alarm");
static_assert(sizeof(ds_alarms) == 865, "ds_alarms: 173 records without gaps");
static_assert(sizeof(ds_internal) == 132, "ds_internal");
static_assert(sizeof(ds_history) == 212, "ds_history");
static_assert(sizeof(ds_diagnostics) == 596, "ds_diagnostics");
static_assert(sizeof(ds_ecu_info) == 24 && offsetof(ds_ecu_info, iso_name) == 16, "ds_ecu_info");
static_assert(sizeof(ds_system) == 104, "ds_system");
static_assert(sizeof(ds_fs_interface) == 100, "ds_fs_interface");
static_assert(sizeof(ds_fs_volume_info) == 104, "ds_fs_volume_info");
static_assert(sizeof(data_store_body) == 11056, "data_store_body");
