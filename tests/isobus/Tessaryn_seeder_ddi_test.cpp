#include "isobus/Tessaryn_seeder_ddi.h"
#include "platform/iso/TC_client_Designator.h"
#include "platform/iso/TC_client_Value_presentation.h"

#include <gtest/gtest.h>

#include <string>

using namespace TC_client;

namespace {

std::string text_of(const Designator* designator)
{
    if (!designator)
        return "(none)";
    char buffer[256];
    return std::string(buffer, size_t(designator->get_utf8("en", buffer, 255)));
}

enum : uint8_t { no = 0, dflt = 1, set = 2 };

struct Entry_row {
    Process_data_element Tessaryn_seeder_ddi::*entry;
    uint16_t ddi;
    const char* designator;
    uint8_t properties;
    uint8_t triggers;
    const Value_presentation* presentation;
};

using T = Tessaryn_seeder_ddi;

// The table in member order, the connector-type property left out (below).
const Entry_row rows[] = {
    {&T::total_area, 116, "Total area", set, 31, &ha_area_pe},
    {&T::lifetime_total_area, 271, "Lifetime Total Area", no, 31, &ha_area_pe},
    {&T::effective_total_distance, 117, "Effective Total Distance", set, 31, &km_distance_pe},
    {&T::effective_total_time, 119, "Effective Total Time", set, 31, nullptr},
    {&T::ineffective_total_time, 120, "Ineffective Total Time", set, 31, nullptr},
    {&T::lifetime_effective_time, 274, "Lifetime Effective Time", no, 31, &s_from_seconds_pe},
    {&T::lifetime_ineffective_time, 275, "Lifetime Inffective Time", no, 31, &s_from_seconds_pe},
    {&T::actual_working_width, 67, "Actual Working Width", no, 15, &cm_distance_pe},
    {&T::actual_work_state_setable, 141, "Actual Work State", dflt | set, 9, nullptr},
    {&T::actual_work_state, 141, "Actual Work State", dflt, 9, nullptr},
    {&T::setpoint_work_state, 289, "Setpoint Work State", set, 9, nullptr},
    {&T::prescription_control_state, 158, "Prescription Control State", set, 8, nullptr},
    {&T::rate_control_mode, 60089, "Rate Control Mode", set, 8, nullptr},
    {&T::target_rate_mass, 6, "Target Application rate", set, 9, &kg_per_ha_mass_per_area_pe},
    {&T::target_rate_volume, 1, "Target Application rate", set, 9, &l_per_ha_volume_per_area_pe},
    {&T::target_rate_count, 11, "Target Application rate", set, 9, nullptr},
    {&T::actual_rate_mass, 7, "Application rate", dflt, 9, &kg_per_ha_mass_per_area_pe},
    {&T::actual_rate_volume, 2, "Application rate", dflt, 9, &l_per_ha_volume_per_area_pe},
    {&T::actual_rate_count, 12, "Application rate", dflt, 9, nullptr},
    {&T::flow_rate_mass, 42, "Flow rate", no, 9, &kg_per_min_mass_per_time_pe},
    {&T::flow_rate_volume, 37, "Flow rate", no, 9, &l_per_min_volume_per_time_pe},
    {&T::flow_rate_count, 47, "Flow rate", no, 9, nullptr},
    {&T::lifetime_total_volume, 325, "Lifetime Application Total Vol.", no, 31, nullptr},
    {&T::lifetime_total_mass, 266, "Lifetime Application Total Mass", no, 31, nullptr},
    {&T::log_count, 147, "Log count", dflt, 9, nullptr},
    {&T::setpoint_time_latency, 142, "Physical Setpoint Time Latency", no, 8, nullptr},
    {&T::actual_time_latency, 143, "Physical Actual Time Latency", no, 8, nullptr},
    {&T::capacity, 137, "Capacity", dflt, 9, &l_volume_pe},
    {&T::product_pressure, 194, "Actual Product Pressure", dflt, 9, &kpa_from_ddi_194},
    {&T::pump_speed, 60004, "Pump Speed", no, 1, nullptr},
    {&T::total_volume, 80, "Application Total Volume", set, 31, nullptr},
    {&T::total_mass, 81, "Application Total Mass", set, 31, nullptr},
    {&T::shaft_speed, 58625, "Shaft Speed", no, 9, nullptr},
    {&T::cultural_practice, 179, "Cultural Practice", no, 8, nullptr},
    {&T::volume_remaining, 72, "Volume Remaining", set, 9, &l_volume_pe},
    {&T::maximum_volume, 73, "Maximum Voulme", no, 9, &l_volume_pe},
    {&T::mass_remaining, 75, "Mass Remaining", set, 9, &kg_mass_pe},
    {&T::maximum_mass, 76, "Maximum Mass", no, 9, &kg_mass_pe},
    {&T::net_weight, 229, "Net Weight", no, 9, nullptr},
    {&T::section_control_state, 160, "Section Control State", set, 8, nullptr},
    {&T::sc_turn_on_time, 205, "SC Turn On Time", set, 8, nullptr},
    {&T::sc_turn_off_time, 206, "SC Turn Off Time", set, 8, nullptr},
    {&T::multi_line_control_state, 60001, "Mult Line Control State", set, 8, nullptr},
    {&T::multi_line_actual_work_state, 60002, "Multi Line Actual Work State", no, 9, nullptr},
    {&T::multi_line_setpoint_work_state, 60003, "Multi Line Setpoint Work State", set, 9, nullptr},
    {&T::setpoint_downforce, 426, "Setpoint Downforce Force", set, 9, &kg_force_pe},
    {&T::downforce, 427, "Downforce Force", dflt, 9, &kg_force_pe},
    {&T::setpoint_hydraulic_pressure, 365, "Setpoint Hydraulic Pressure", set, 9, &kpa_from_pa},
    {&T::hydraulic_pressure, 366, "Hydraulic Pressure", dflt, 9, &kpa_from_pa},
    {&T::setpoint_drill_lift, 58633, "Setpoint Drill Lift Work State", set, 8, nullptr},
    {&T::drill_lift, 58634, "Drill Lift", no, 8, nullptr},
    {&T::drill_lift_track_master, 58635, "Drill Lift Track Master", set, 8, nullptr},
    {&T::nozzle_flow, 60014, "Nozzle Flow", no, 1, nullptr},
    {&T::calibration_granular, 60085, "Calibration Factor Granular", no, 8, nullptr},
    {&T::calibration_liquid, 60086, "Calibration Factor Liquid", no, 8, nullptr},
    {&T::calibration_nh3, 60087, "Calibration Factor NH3", no, 8, nullptr},
    {&T::drive_power, 60015, "Drive Power", no, 1, nullptr},
};

TEST(Tessaryn_seeder_ddi, every_entry_as_the_table_gives_it)
{
    EXPECT_EQ(std::size(rows), 57u);
    for (const auto& row : rows) {
        const Process_data_element& entry = seeder_ddi.*row.entry;
        SCOPED_TRACE(row.designator);
        EXPECT_EQ(entry.get_ddi(), row.ddi);
        EXPECT_EQ(text_of(entry.get_designator()), row.designator);
        EXPECT_EQ(entry.is_default_set(), bool(row.properties & dflt));
        EXPECT_EQ(entry.is_setable(), bool(row.properties & set));
        EXPECT_EQ(entry.get_triggers(), row.triggers);
        EXPECT_EQ(entry.get_presentation(), row.presentation);
    }
}

TEST(Tessaryn_seeder_ddi, the_connector_type_is_a_property_of_value_0)
{
    EXPECT_EQ(seeder_ddi.connector_type.get_ddi(), 157);
    EXPECT_EQ(seeder_ddi.connector_type.get_value(), 0);
    EXPECT_EQ(text_of(seeder_ddi.connector_type.get_designator()), "Connector Type");
    EXPECT_EQ(seeder_ddi.connector_type.get_presentation(), nullptr);
}

TEST(Tessaryn_seeder_ddi, one_text_object_per_designator)
{
    EXPECT_EQ(seeder_ddi.target_rate_mass.get_designator(), seeder_ddi.target_rate_count.get_designator());
    EXPECT_EQ(seeder_ddi.actual_work_state.get_designator(), seeder_ddi.actual_work_state_setable.get_designator());
}

struct Condensed_row {
    std::vector<Condensed_work_state_pd_element*> Tessaryn_seeder_ddi::*list;
    int number;
    uint16_t ddi;
    const char* designator;
    uint8_t properties;
};

TEST(Tessaryn_seeder_ddi, condensed_entries_one_and_sixteen)
{
    const Condensed_row condensed_rows[] = {
        {&T::actual_condensed_setable, 1, 161, "Actual Condensed Work State 1", dflt | set},
        {&T::actual_condensed_setable, 16, 176, "Actual Condensed Work State 16", dflt | set},
        {&T::actual_condensed, 1, 161, "Actual Condensed Work State 1", dflt},
        {&T::actual_condensed, 16, 176, "Actual Condensed Work State 16", dflt},
        {&T::setpoint_condensed, 1, 290, "Setpoint Condensed Work State 1", set},
        {&T::setpoint_condensed, 16, 305, "Setpoint Condensed Work State 16", set},
    };
    for (const auto& row : condensed_rows) {
        const auto& list = seeder_ddi.*row.list;
        ASSERT_EQ(list.size(), 16u);
        const Condensed_work_state_pd_element& entry = *list[size_t(row.number - 1)];
        SCOPED_TRACE(row.designator);
        EXPECT_EQ(entry.get_ddi(), row.ddi);
        EXPECT_EQ(text_of(entry.get_designator()), row.designator);
        EXPECT_EQ(entry.is_default_set(), bool(row.properties & dflt));
        EXPECT_EQ(entry.is_setable(), bool(row.properties & set));
        EXPECT_EQ(entry.get_triggers(), 9);
    }

    const Condensed_work_state_pd_element& sw = *seeder_ddi.condensed_switch_state;
    EXPECT_EQ(sw.get_ddi(), 60088);
    EXPECT_EQ(text_of(sw.get_designator()), "Condensed Section Switch State 1");
    EXPECT_TRUE(sw.is_setable());
    EXPECT_FALSE(sw.is_default_set());
    EXPECT_EQ(sw.get_triggers(), 9);
}

TEST(Tessaryn_seeder_ddi, the_remaining_entries_settable_flag_changes_at_run_time)
{
    Tessaryn_seeder_ddi table; // a table of the test's own, so the program's stays as built
    table.volume_remaining.clear_setable();
    table.mass_remaining.clear_setable();
    EXPECT_FALSE(table.volume_remaining.is_setable());
    EXPECT_FALSE(table.mass_remaining.is_setable());
    table.mass_remaining.set_setable();
    EXPECT_TRUE(table.mass_remaining.is_setable());
    EXPECT_EQ(table.mass_remaining.get_triggers(), 9);
}

}
