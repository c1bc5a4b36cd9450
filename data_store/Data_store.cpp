#include "data_store/Data_store.h"

#include <cstring>

namespace {

void set_initial_channel(ds_channel& channel)
{
    channel.min_rate = 1000000.0;
    channel.rate_control_mode = 1;
    channel.restart_liquid_pressure_filter = true;
    channel.bin_capacity = 1000.0;
    channel.sequence_time_expired = true;
    channel.cultural_practise = 2;
    channel.last_product_density = 1.0;
    channel.reserved = 11;
}

}

data_store_body initial_data_store_body(const char* version_text)
{
    data_store_body body;
    std::memset(&body, 0, sizeof body);
    for (ds_channel& channel : body.channels.channels)
        set_initial_channel(channel);
    for (ds_channel& channel : body.downforces.channels)
        set_initial_channel(channel);
    for (ds_boom& boom : body.booms.boom) {
        boom.use_asc_boundary = true;
        boom.use_asc_coverage = true;
        boom.ignore_ASC = true;
    }
    body.operation.inhibit_master_switch = true;
    body.operation.calibration_scale_dec_places = 3;
    for (bool& on : body.diagnostics.level_sensor_on)
        on = true;
    // At most 11 characters, so the field always keeps its terminator.
    char* text = body.system.firmware_version.string;
    std::strncpy(text, version_text ? version_text : "", sizeof body.system.firmware_version.string - 1);
    body.system.hardware_id = 1;
    body.system.alive = true;
    body.ecu_config.internal_slave_identity = -1;
    for (ds_ecu_info& info : body.ecu_config.ecu_info)
        info.iso_name = ~uint64_t(0);
    for (ds_section_monitoring_tanks& tank : body.section_monitors.tanks)
        tank.section_encoder_ratio = 1;
    body.section_monitors.threshold_percent = 10.0f;
    body.section_monitors.pulsed_section_monitors_diagnostics_input = -1;
    body.section_monitors.pulsed_section_monitors_diagnostics_section_ratio = 1.0f;
    body.section_monitors.pulsed_section_monitors_diagnostics_boom = 1;
    body.section_monitors.pulsed_section_monitors_diagnostics_section = 1;
    return body;
}

Data_store::Data_store(module_man* manager, const char* version_text)
    : head(manager, &body), body(initial_data_store_body(version_text)), lookup(head, &body)
{
}
