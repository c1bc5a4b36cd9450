#include "isobus/Tessaryn_seeder_ddi.h"
#include "isobus/Literal_designator.h"
#include "platform/iso/TC_client_Value_presentation.h"

#include <cstdio>

namespace TC_client {

namespace {

// The texts are the system's own, misspellings included.
const Literal_designator total_area_text("Total area");
const Literal_designator lifetime_total_area_text("Lifetime Total Area");
const Literal_designator effective_total_distance_text("Effective Total Distance");
const Literal_designator effective_total_time_text("Effective Total Time");
const Literal_designator ineffective_total_time_text("Ineffective Total Time");
const Literal_designator lifetime_effective_time_text("Lifetime Effective Time");
const Literal_designator lifetime_ineffective_time_text("Lifetime Inffective Time");
const Literal_designator actual_working_width_text("Actual Working Width");
const Literal_designator actual_work_state_text("Actual Work State");
const Literal_designator setpoint_work_state_text("Setpoint Work State");
const Literal_designator prescription_control_state_text("Prescription Control State");
const Literal_designator rate_control_mode_text("Rate Control Mode");
const Literal_designator connector_type_text("Connector Type");
const Literal_designator target_rate_text("Target Application rate");
const Literal_designator actual_rate_text("Application rate");
const Literal_designator flow_rate_text("Flow rate");
const Literal_designator lifetime_total_volume_text("Lifetime Application Total Vol.");
const Literal_designator lifetime_total_mass_text("Lifetime Application Total Mass");
const Literal_designator log_count_text("Log count");
const Literal_designator setpoint_time_latency_text("Physical Setpoint Time Latency");
const Literal_designator actual_time_latency_text("Physical Actual Time Latency");
const Literal_designator capacity_text("Capacity");
const Literal_designator product_pressure_text("Actual Product Pressure");
const Literal_designator pump_speed_text("Pump Speed");
const Literal_designator total_volume_text("Application Total Volume");
const Literal_designator total_mass_text("Application Total Mass");
const Literal_designator shaft_speed_text("Shaft Speed");
const Literal_designator cultural_practice_text("Cultural Practice");
const Literal_designator volume_remaining_text("Volume Remaining");
const Literal_designator maximum_volume_text("Maximum Voulme");
const Literal_designator mass_remaining_text("Mass Remaining");
const Literal_designator maximum_mass_text("Maximum Mass");
const Literal_designator net_weight_text("Net Weight");
const Literal_designator section_control_state_text("Section Control State");
const Literal_designator sc_turn_on_time_text("SC Turn On Time");
const Literal_designator sc_turn_off_time_text("SC Turn Off Time");
const Literal_designator multi_line_control_state_text("Mult Line Control State");
const Literal_designator multi_line_actual_work_state_text("Multi Line Actual Work State");
const Literal_designator multi_line_setpoint_work_state_text("Multi Line Setpoint Work State");
const Literal_designator setpoint_downforce_text("Setpoint Downforce Force");
const Literal_designator downforce_text("Downforce Force");
const Literal_designator setpoint_hydraulic_pressure_text("Setpoint Hydraulic Pressure");
const Literal_designator hydraulic_pressure_text("Hydraulic Pressure");
const Literal_designator setpoint_drill_lift_text("Setpoint Drill Lift Work State");
const Literal_designator drill_lift_text("Drill Lift");
const Literal_designator drill_lift_track_master_text("Drill Lift Track Master");
const Literal_designator nozzle_flow_text("Nozzle Flow");
const Literal_designator calibration_granular_text("Calibration Factor Granular");
const Literal_designator calibration_liquid_text("Calibration Factor Liquid");
const Literal_designator calibration_nh3_text("Calibration Factor NH3");
const Literal_designator drive_power_text("Drive Power");

enum : uint8_t { none = 0, default_set = 1, setable = 2 };

constexpr uint8_t interval = Process_data_element::trigger_time;
constexpr uint8_t on_change = Process_data_element::trigger_on_change;
constexpr uint8_t time_on_change = interval | on_change;
constexpr uint8_t all_but_total = Process_data_element::trigger_time | Process_data_element::trigger_distance |
                                  Process_data_element::trigger_threshold | on_change;
constexpr uint8_t all = all_but_total | Process_data_element::trigger_total;

void define(Process_data_element& entry, uint16_t ddi, uint8_t properties, uint8_t triggers,
            const Designator& designator, const Value_presentation* presentation = nullptr)
{
    entry.set_ddi(ddi);
    if (properties & default_set)
        entry.set_default_set();
    if (properties & setable)
        entry.set_setable();
    entry.set_triggers(triggers);
    entry.set_designator(&designator);
    entry.set_presentation(presentation);
}

Condensed_work_state_pd_element* condensed(uint16_t ddi, uint8_t properties, const char* format, int number)
{
    auto* entry = new Condensed_work_state_pd_element;
    char text[64];
    std::snprintf(text, sizeof text, format, number);
    entry->set_designator_text(text);
    entry->set_ddi(ddi);
    if (properties & default_set)
        entry->set_default_set();
    if (properties & setable)
        entry->set_setable();
    entry->set_triggers(time_on_change);
    return entry;
}

}

Tessaryn_seeder_ddi seeder_ddi;

Tessaryn_seeder_ddi::Tessaryn_seeder_ddi()
{
    define(total_area, 116, setable, all, total_area_text, &ha_area_pe);
    define(lifetime_total_area, 271, none, all, lifetime_total_area_text, &ha_area_pe);
    define(effective_total_distance, 117, setable, all, effective_total_distance_text, &km_distance_pe);
    define(effective_total_time, 119, setable, all, effective_total_time_text);
    define(ineffective_total_time, 120, setable, all, ineffective_total_time_text);
    define(lifetime_effective_time, 274, none, all, lifetime_effective_time_text, &s_from_seconds_pe);
    define(lifetime_ineffective_time, 275, none, all, lifetime_ineffective_time_text, &s_from_seconds_pe);
    define(actual_working_width, 67, none, all_but_total, actual_working_width_text, &cm_distance_pe);
    define(actual_work_state_setable, 141, default_set | setable, time_on_change, actual_work_state_text);
    define(actual_work_state, 141, default_set, time_on_change, actual_work_state_text);
    define(setpoint_work_state, 289, setable, time_on_change, setpoint_work_state_text);
    define(prescription_control_state, 158, setable, on_change, prescription_control_state_text);
    define(rate_control_mode, 60089, setable, on_change, rate_control_mode_text);
    connector_type.set_ddi(157);
    connector_type.set_value(0);
    connector_type.set_designator(&connector_type_text);
    define(target_rate_mass, 6, setable, time_on_change, target_rate_text, &kg_per_ha_mass_per_area_pe);
    define(target_rate_volume, 1, setable, time_on_change, target_rate_text, &l_per_ha_volume_per_area_pe);
    define(target_rate_count, 11, setable, time_on_change, target_rate_text);
    define(actual_rate_mass, 7, default_set, time_on_change, actual_rate_text, &kg_per_ha_mass_per_area_pe);
    define(actual_rate_volume, 2, default_set, time_on_change, actual_rate_text, &l_per_ha_volume_per_area_pe);
    define(actual_rate_count, 12, default_set, time_on_change, actual_rate_text);
    define(flow_rate_mass, 42, none, time_on_change, flow_rate_text, &kg_per_min_mass_per_time_pe);
    define(flow_rate_volume, 37, none, time_on_change, flow_rate_text, &l_per_min_volume_per_time_pe);
    define(flow_rate_count, 47, none, time_on_change, flow_rate_text);
    define(lifetime_total_volume, 325, none, all, lifetime_total_volume_text);
    define(lifetime_total_mass, 266, none, all, lifetime_total_mass_text);
    define(log_count, 147, default_set, time_on_change, log_count_text);
    define(setpoint_time_latency, 142, none, on_change, setpoint_time_latency_text);
    define(actual_time_latency, 143, none, on_change, actual_time_latency_text);
    define(capacity, 137, default_set, time_on_change, capacity_text, &l_volume_pe);
    define(product_pressure, 194, default_set, time_on_change, product_pressure_text, &kpa_from_ddi_194);
    define(pump_speed, 60004, none, interval, pump_speed_text);
    define(total_volume, 80, setable, all, total_volume_text);
    define(total_mass, 81, setable, all, total_mass_text);
    define(shaft_speed, 58625, none, time_on_change, shaft_speed_text);
    define(cultural_practice, 179, none, on_change, cultural_practice_text);
    define(volume_remaining, 72, setable, time_on_change, volume_remaining_text, &l_volume_pe);
    define(maximum_volume, 73, none, time_on_change, maximum_volume_text, &l_volume_pe);
    define(mass_remaining, 75, setable, time_on_change, mass_remaining_text, &kg_mass_pe);
    define(maximum_mass, 76, none, time_on_change, maximum_mass_text, &kg_mass_pe);
    define(net_weight, 229, none, time_on_change, net_weight_text);
    define(section_control_state, 160, setable, on_change, section_control_state_text);
    define(sc_turn_on_time, 205, setable, on_change, sc_turn_on_time_text);
    define(sc_turn_off_time, 206, setable, on_change, sc_turn_off_time_text);
    define(multi_line_control_state, 60001, setable, on_change, multi_line_control_state_text);
    define(multi_line_actual_work_state, 60002, none, time_on_change, multi_line_actual_work_state_text);
    define(multi_line_setpoint_work_state, 60003, setable, time_on_change, multi_line_setpoint_work_state_text);
    define(setpoint_downforce, 426, setable, time_on_change, setpoint_downforce_text, &kg_force_pe);
    define(downforce, 427, default_set, time_on_change, downforce_text, &kg_force_pe);
    define(setpoint_hydraulic_pressure, 365, setable, time_on_change, setpoint_hydraulic_pressure_text, &kpa_from_pa);
    define(hydraulic_pressure, 366, default_set, time_on_change, hydraulic_pressure_text, &kpa_from_pa);
    define(setpoint_drill_lift, 58633, setable, on_change, setpoint_drill_lift_text);
    define(drill_lift, 58634, none, on_change, drill_lift_text);
    define(drill_lift_track_master, 58635, setable, on_change, drill_lift_track_master_text);
    define(nozzle_flow, 60014, none, interval, nozzle_flow_text);
    define(calibration_granular, 60085, none, on_change, calibration_granular_text);
    define(calibration_liquid, 60086, none, on_change, calibration_liquid_text);
    define(calibration_nh3, 60087, none, on_change, calibration_nh3_text);
    define(drive_power, 60015, none, interval, drive_power_text);

    for (int i = 1; i <= condensed_count; ++i) {
        actual_condensed_setable.push_back(
            condensed(uint16_t(160 + i), default_set | setable, "Actual Condensed Work State %d", i));
        actual_condensed.push_back(condensed(uint16_t(160 + i), default_set, "Actual Condensed Work State %d", i));
        setpoint_condensed.push_back(condensed(uint16_t(289 + i), setable, "Setpoint Condensed Work State %d", i));
    }
    condensed_switch_state = condensed(60088, setable, "Condensed Section Switch State %d", 1);
}

Tessaryn_seeder_ddi::~Tessaryn_seeder_ddi()
{
    for (auto* list : {&actual_condensed_setable, &actual_condensed, &setpoint_condensed})
        for (Condensed_work_state_pd_element* entry : *list)
            delete entry;
    delete condensed_switch_state;
}

}
