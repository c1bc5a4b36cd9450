#include "app/start_up_overrides.h"
#include "params/parameters_t.h"
#include "platform/rtos/Bugger.h"

#include <cstdio>
#include <cstring>

namespace {

using NV_quvel::alarm_t;

// An alarm's factory settings; for a per-fan, per-pump or per-tank alarm,
// every record of the array gets them.
struct Alarm_row {
    const char* name;
    bool enabled;
    float threshold;
    uint8_t delay_count;
    uint8_t limit_count;
};

// down_force_off_master_on, drill_raised_master_on and hydraulic_pressure_low
// keep the defaults of their records.
const Alarm_row alarm_rows[] = {
    {"fan_pressure_low", true, 0.0f, 4, 0},
    {"fan_pressure_high", true, 0.0f, 4, 0},
    {"fan_speed_low", true, 0.0f, 4, 0},
    {"fan_speed_high", true, 0.0f, 4, 0},
    {"fan_sensor_fail", true, 0.0f, 4, 0},
    {"tank_low", true, 5.0f, 4, 3},
    {"tank_empty", true, 0.0f, 1, 0},
    {"liquid_pressure_min", true, 0.0f, 4, 0},
    {"liquid_pressure_max", true, 0.0f, 4, 0},
    {"temperature", true, 95.0f, 0, 0},
    {"tank_motor_sensor", true, 0.0f, 0, 0},
    {"tank_motor_jam", true, 0.0f, 0, 0},
    {"tank_shaft", true, 0.0f, 4, 0},
    {"tank_gear", true, 0.0f, 0, 0},
    {"tank_alt_rate_in_use", true, 0.0f, 20, 0},
    {"tank_incorrect_rate", true, 0.0f, 5, 0},
    {"tank_off_master_on", true, 0.0f, 2, 0},
    {"no_flow_tanks_off", true, 0.0f, 2, 0},
    {"no_flow_no_speed", true, 0.0f, 2, 0},
    {"no_flow_no_fan", true, 0.0f, 2, 0},
    {"no_flow_no_fan_pressure", true, 0.0f, 2, 0},
    {"master_off", true, 0.0f, 2, 0},
    {"no_comms", true, 0.0f, 0, 0},
    {"blocked_head", true, 0.0f, 3, 0},
    {"shaft_moving_tank_off", true, 0.0f, 4, 0},
    {"tank_no_liquid_flow", true, 0.0f, 2, 0},
    {"section_switching", true, 0.0f, 0, 0},
    {"pump_speed_low", true, 0.0f, 4, 0},
    {"pump_speed_high", true, 0.0f, 4, 0},
    {"case_drain", true, 0.0f, 0, 0},
    {"tank_active_no_rate", true, 0.0f, 2, 0},
    {"ladder_switch", true, 0.0f, 0, 0},
    {"aux_rpm_speed_low", true, 0.0f, 4, 0},
    {"aux_rpm_speed_high", true, 0.0f, 4, 0},
    {"master_on_tillage_off", true, 0.0f, 25, 0},
};

void apply(const Alarm_row& row, alarm_t& alarm)
{
    alarm.enabled.set(row.enabled);
    alarm.threshold.set(row.threshold);
    alarm.delay_count.set(row.delay_count);
    alarm.limit_count.set(row.limit_count);
}

// A single alarm is an alarm_t; an array holds them as its children.
void apply(const Alarm_row& row, NV_quvel::alarms_t& alarms)
{
    NV_store::NV_item* item = alarms.find_child(row.name);
    if (!item)
        Bugger::report_bug("start-up overrides name an alarm the tree does not have");
    if (item->get_type() != Data_item::type_item_array) {
        apply(row, static_cast<alarm_t&>(*item));
        return;
    }
    auto& array = static_cast<NV_store::NV_container&>(*item);
    for (NV_store::NV_item* element = array.get_first_child(); element; element = element->get_next_sibling())
        apply(row, static_cast<alarm_t&>(*element));
}

}

void apply_start_up_overrides(NV_quvel::parameters_t& parameters)
{
    NV_quvel::application_t& app = parameters.app;
    for (int i = 0; i < 8; ++i) {
        char name[NV_quvel::nv_name::length];
        int length = std::snprintf(name, sizeof name, "Tank%d", i + 1);
        app.channels[i]->name.set(name, length + 1);
    }
    app.fans[0]->enabled.set(true);
    app.booms.num_booms.set(0);
    app.booms.booms[0]->num_sections.set(0);
    app.machine_geometry.connector_offset.x.set(1.0f);
    for (const Alarm_row& row : alarm_rows)
        apply(row, app.alarms);
}
