#pragma once
#include "data_store/Lookup_record_macros.h"
#include "data_store/data_store_body.h"

// The lookup class of every data-store record, CDS::Lookup_<record>, in the
// order the records build on each other. Each is constructed with its parent
// node and the record it describes. Lookup_ds_swboxes and
// Lookup_ds_fs_volume_info (with their parts) describe records no group of
// the tree holds as a node.

namespace CDS {

CDS_LOOKUP_RECORD(ds_version)
CDS_LOOKUP_RECORD(ds_channel)
CDS_LOOKUP_RECORD(ds_channels)
CDS_LOOKUP_RECORD(ds_downforces)
CDS_LOOKUP_RECORD(ds_section)
CDS_LOOKUP_RECORD(ds_boom)
CDS_LOOKUP_RECORD(ds_booms)
CDS_LOOKUP_RECORD(ds_section_monitoring_tanks)
CDS_LOOKUP_RECORD(ds_section_monitoring_booms)
CDS_LOOKUP_RECORD(ds_section_monitoring_inputs)
CDS_LOOKUP_RECORD(ds_section_monitoring)
CDS_LOOKUP_RECORD(ds_monitor_ecu)
CDS_LOOKUP_RECORD(ds_monitor_ecus)
CDS_LOOKUP_RECORD(ds_system_id)
CDS_LOOKUP_RECORD(ds_system_info)
CDS_LOOKUP_RECORD(ds_firmware_version)
CDS_LOOKUP_RECORD(ds_app_upgrade_command)
CDS_LOOKUP_RECORD(ds_app_upgrade_status)
CDS_LOOKUP_RECORD(ds_system)
CDS_LOOKUP_RECORD(ds_isoecu)
CDS_LOOKUP_RECORD(ds_serial_id)
CDS_LOOKUP_RECORD(ds_ecu_info)
CDS_LOOKUP_RECORD(ds_ecu_config)
CDS_LOOKUP_RECORD(ds_simulation)
CDS_LOOKUP_RECORD(ds_fs_interface)
CDS_LOOKUP_RECORD(ds_bin)
CDS_LOOKUP_RECORD(ds_chan)
CDS_LOOKUP_RECORD(ds_tc_interface)
CDS_LOOKUP_RECORD(ds_swbox)
CDS_LOOKUP_RECORD(ds_swbox_id)
CDS_LOOKUP_RECORD(ds_swboxes)
CDS_LOOKUP_RECORD(ds_fs_volume)
CDS_LOOKUP_RECORD(ds_fs_volume_info)
CDS_LOOKUP_RECORD(ds_ground_speed_sensor)
CDS_LOOKUP_RECORD(ds_vehicle)
CDS_LOOKUP_RECORD(ds_tank_calibration)
CDS_LOOKUP_RECORD(ds_frame_swbox)
CDS_LOOKUP_RECORD(ds_calibration_scale)
CDS_LOOKUP_RECORD(ds_operation)
CDS_LOOKUP_RECORD(ds_fan)
CDS_LOOKUP_RECORD(ds_total)
CDS_LOOKUP_RECORD(ds_areas)
CDS_LOOKUP_RECORD(ds_volumes)
CDS_LOOKUP_RECORD(ds_temperature)
CDS_LOOKUP_RECORD(ds_internal)
CDS_LOOKUP_RECORD(ds_history)
CDS_LOOKUP_RECORD(ds_alarm)
CDS_LOOKUP_RECORD(ds_alarms)
CDS_LOOKUP_RECORD(ds_shaft)
CDS_LOOKUP_RECORD(ds_adc)
CDS_LOOKUP_RECORD(ds_fans_diags)
CDS_LOOKUP_RECORD(ds_actuator_diags)
CDS_LOOKUP_RECORD(ds_downforce_diags)
CDS_LOOKUP_RECORD(ds_spray_ecu_diag)
CDS_LOOKUP_RECORD(ds_frame_swbox_diags)
CDS_LOOKUP_RECORD(ds_comms_diags)
CDS_LOOKUP_RECORD(ds_diagnostics)

}
