#include "params/parameters_t.h"
#include "tests/params/Tree_helpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace NV_quvel;
using NV_store::NV_container;
using NV_store::NV_item;
using T = Data_item;

// One field as the record tables give it. value: the default as text for a
// scalar, "N element_type" for an item array, "name" for the 20-character
// name item, "" for a sub-record.
struct Field {
    unsigned id;
    const char* name;
    Data_item::item_type_t type;
    const char* value;
};

struct Record_case {
    const char* name;
    std::unique_ptr<NV_container> (*make)();
    std::vector<Field> fields;
};

void PrintTo(const Record_case& c, std::ostream* os)
{
    *os << c.name;
}

template <class R>
std::unique_ptr<NV_container> make()
{
    return std::make_unique<R>();
}

const std::vector<Record_case>& record_cases()
{
    static const std::vector<Record_case> cases = {
    {"application_t", make<application_t>,
         {{1, "channels", T::type_item_array, "10 channel_t"},
          {2, "fans", T::type_item_array, "5 fan_t"},
          {3, "products", T::type_item_array, "16 products_t"},
          {4, "fans_low_speed_tank_cutout_enabled", T::type_bool, "0"},
          {6, "machine_width", T::type_float, "0"},
          {9, "speed_filter_factor", T::type_float, "0.9"},
          {10, "filter_speed", T::type_bool, "0"},
          {11, "wheel_cal_factor", T::type_float, "0"},
          {12, "manual_speed", T::type_float, "10"},
          {13, "speed_source", T::type_uint8, "1"},
          {14, "swbox_ext_toggle_up_is_on", T::type_bool, "0"},
          {15, "swbox_cal_swbox_type", T::type_uint8, "0"},
          {16, "swbox_external_swbox_type", T::type_uint8, "0"},
          {17, "swbox_remote_master_mode", T::type_uint8, "0"},
          {18, "swbox_bbox_master_sw_mode", T::type_uint8, "0"},
          {19, "swbox_ecu_master_sw_mode", T::type_uint8, "0"},
          {20, "swbox_bbox_tank_sw_mode", T::type_uint8, "0"},
          {21, "temp_sensor_cal", T::type_float, "0"},
          {22, "using_keltu", T::type_bool, "1"},
          {23, "personality", T::type_uint8, "0"},
          {24, "save_time", T::type_uint8, "4"},
          {25, "preload_time", T::type_float, "0"},
          {26, "areas", T::type_struct, ""},
          {27, "volumes", T::type_struct, ""},
          {28, "job_operating_time", T::type_float, "0"},
          {29, "alarms", T::type_struct, ""},
          {30, "history", T::type_struct, ""},
          {31, "power_sat_box_enabled", T::type_bool, "0"},
          {32, "monitor_ecus", T::type_struct, ""},
          {33, "ecu_config", T::type_uint8, "0"},
          {34, "booms", T::type_struct, ""},
          {35, "gran_sec_control_at_dist_head", T::type_bool, "1"},
          {36, "using_master_clutch", T::type_bool, "0"},
          {37, "num_channels", T::type_uint8, "1"},
          {38, "swbox_mapping", T::type_item_array, "10 swbox_mapping_t"},
          {39, "using_case_drain_alarm", T::type_bool, "0"},
          {40, "RS485_termination_enabled", T::type_bool, "0"},
          {41, "cal_to_preset_value", T::type_uint8, "0"},
          {42, "calibration_drive_channel", T::type_int8, "-1"},
          {49, "vt_mode_enable_tc_boom_section", T::type_bool, "0"},
          {50, "using_ladder_switch_alarm", T::type_bool, "0"},
          {51, "downforces", T::type_item_array, "5 channel_t"},
          {52, "drill_control_enabled", T::type_bool, "0"},
          {53, "down_force_track_master", T::type_bool, "0"},
          {54, "control_to_pack_force", T::type_bool, "0"},
          {55, "drill_opener_type", T::type_uint8, "0"},
          {56, "sensor_max_pressure", T::type_float, "0"},
          {57, "sensor_min_voltage", T::type_float, "0"},
          {58, "sensor_max_voltage", T::type_float, "0"},
          {59, "load_sensor_max_load", T::type_float, "0"},
          {60, "load_sensor_min_ADC", T::type_uint8, "0"},
          {61, "load_sensor_max_ADC", T::type_uint8, "0"},
          {62, "using_tillage_master_switch", T::type_bool, "0"},
          {63, "fan_speed_to_start", T::type_int32, "0"},
          {75, "machine_geometry", T::type_struct, ""}}},
    {"channel_t", make<channel_t>,
         {{1, "preset_rate_1", T::type_float, "0"},
          {2, "preset_rate_2", T::type_float, "0"},
          {3, "current_rate", T::type_float, "0"},
          {4, "remaining", T::type_float, "0"},
          {5, "name", T::type_char, "name"},
          {6, "rate_filter_factor", T::type_float, "0.9"},
          {7, "filter_rate", T::type_bool, "1"},
          {8, "rate_filter_restart_setting", T::type_uint8, "10"},
          {9, "rate_increment", T::type_float, "0"},
          {10, "rate_filter", T::type_item_array, "4 rate_filter_t"},
          {11, "capacity", T::type_float, "0"},
          {12, "enabled", T::type_bool, "0"},
          {13, "mode", T::type_uint8, "0"},
          {14, "granular_controller_type", T::type_uint8, "1"},
          {15, "liquid_controller_type", T::type_uint8, "0"},
          {16, "liquid_number_of_nozzles", T::type_uint8, "0"},
          {17, "liquid_pressure_sense", T::type_bool, "0"},
          {18, "motor_using_shaft_sensor", T::type_bool, "0"},
          {19, "motor_using_soft_start", T::type_bool, "0"},
          {20, "motor_gear_ratio", T::type_float, "0"},
          {21, "motor_encoder_ratio", T::type_float, "0"},
          {22, "motor_max_rpm", T::type_float, "0"},
          {23, "motor_min_rpm", T::type_float, "0"},
          {24, "motor_pulse_encoder", T::type_uint8, "0"},
          {25, "act_using_tank_clutch", T::type_bool, "0"},
          {26, "act_cal_setting", T::type_float, "0"},
          {27, "act_encoder_ratio", T::type_float, "0"},
          {28, "act_min_rpm", T::type_float, "0"},
          {29, "act_max_rpm", T::type_float, "0"},
          {30, "actuator_style", T::type_uint8, "0"},
          {31, "act_cal_extend_mode", T::type_uint8, "1"},
          {32, "act_cal_mode", T::type_uint8, "0"},
          {33, "rvalve_granular_mode", T::type_uint8, "0"},
          {34, "rvalve_granular_reverse_valve_direction", T::type_bool, "0"},
          {35, "rvalve_granular_close_valve_if_tank_off", T::type_bool, "0"},
          {36, "rvalve_granular_relay_on_when_tank_off", T::type_bool, "0"},
          {37, "rvalve_granular_encoder_ratio", T::type_float, "1"},
          {38, "rvalve_granular_min_rpm", T::type_float, "0"},
          {39, "rvalve_granular_max_rpm", T::type_float, "0"},
          {40, "rvalve_granular_controller", T::type_item_array, "8 rvalve_controller_t"},
          {41, "rvalve_granular_controller_sensitivity", T::type_uint8, "0"},
          {42, "rvalve_liquid_mode", T::type_uint8, "0"},
          {43, "rvalve_liquid_reverse_valve_direction", T::type_bool, "0"},
          {44, "rvalve_liquid_close_valve_if_tank_off", T::type_bool, "0"},
          {45, "rvalve_liquid_relay_on_when_tank_off", T::type_bool, "0"},
          {49, "rvalve_liquid_sensitivity", T::type_uint8, "0"},
          {50, "rvalve_liquid_controller", T::type_item_array, "8 rvalve_controller_t"},
          {51, "rvalve_liquid_controller_sensitivity", T::type_uint8, "0"},
          {52, "pvalve_granular_mode", T::type_uint8, "32"},
          {53, "pvalve_granular_using_shaft_sensor", T::type_bool, "0"},
          {54, "pvalve_granular_encoder_ratio", T::type_float, "1"},
          {55, "pvalve_granular_gear_ratio", T::type_float, "0"},
          {56, "pvalve_granular_shaft_sensor_ratio", T::type_float, "1"},
          {57, "pvalve_granular_min_rpm", T::type_float, "0"},
          {58, "pvalve_granular_max_rpm", T::type_float, "0"},
          {59, "pvalve_granular_min_pwm_setting", T::type_uint8, "0"},
          {60, "pvalve_granular_max_pwm_setting", T::type_uint8, "0"},
          {61, "pvalve_granular_response_setting", T::type_uint8, "0"},
          {62, "pvalve_liquid_mode", T::type_uint8, "0"},
          {63, "pvalve_liquid_min_pwm_setting", T::type_uint8, "0"},
          {64, "pvalve_liquid_max_pwm_setting", T::type_uint8, "0"},
          {65, "pvalve_liquid_response_setting", T::type_uint8, "0"},
          {66, "full_width", T::type_bool, "1"},
          {71, "sense_tank_level", T::type_bool, "1"},
          {72, "tank_fill_inc_dec", T::type_float, "0"},
          {73, "liquid_filter_factor_pressure", T::type_float, "0.9"},
          {74, "liquid_filter_pressure", T::type_bool, "1"},
          {75, "liquid_pressure_gain", T::type_uint8, "1"},
          {76, "cal_setting", T::type_float, "0"},
          {77, "assigned_to_boom", T::type_uint8, "0"},
          {78, "flow_confirmation_sensor_enabled", T::type_bool, "0"},
          {79, "injection_mode_enabled", T::type_bool, "0"},
          {80, "assigned_to_pump", T::type_uint8, "255"},
          {81, "head_system", T::type_uint8, "0"},
          {82, "control_to_rpm", T::type_bool, "0"},
          {83, "motor_shaft_sensor_ratio", T::type_float, "1"},
          {84, "tank_on_time", T::type_float, "0"},
          {85, "tank_off_time", T::type_float, "0"},
          {98, "product_type", T::type_uint8, "0"}}},
    {"alarm_t", make<alarm_t>,
         {{1, "enabled", T::type_bool, "0"},
          {2, "threshold", T::type_float, "0"},
          {3, "delay_count", T::type_uint8, "0"},
          {4, "limit_count", T::type_uint8, "0"}}},
    {"alarms_t", make<alarms_t>,
         {{1, "fan_pressure_low", T::type_item_array, "4 alarm_t"},
          {2, "fan_pressure_high", T::type_item_array, "4 alarm_t"},
          {3, "fan_speed_low", T::type_item_array, "4 alarm_t"},
          {4, "fan_speed_high", T::type_item_array, "4 alarm_t"},
          {5, "fan_sensor_fail", T::type_item_array, "4 alarm_t"},
          {6, "tank_low", T::type_item_array, "10 alarm_t"},
          {7, "tank_empty", T::type_item_array, "10 alarm_t"},
          {8, "liquid_pressure_min", T::type_item_array, "10 alarm_t"},
          {9, "liquid_pressure_max", T::type_item_array, "10 alarm_t"},
          {10, "temperature", T::type_struct, ""},
          {11, "tank_motor_sensor", T::type_item_array, "10 alarm_t"},
          {12, "tank_motor_jam", T::type_item_array, "10 alarm_t"},
          {13, "tank_shaft", T::type_item_array, "10 alarm_t"},
          {14, "tank_gear", T::type_item_array, "10 alarm_t"},
          {15, "tank_alt_rate_in_use", T::type_item_array, "10 alarm_t"},
          {16, "tank_incorrect_rate", T::type_item_array, "10 alarm_t"},
          {17, "tank_off_master_on", T::type_item_array, "10 alarm_t"},
          {18, "no_flow_tanks_off", T::type_struct, ""},
          {19, "no_flow_no_speed", T::type_struct, ""},
          {20, "no_flow_no_fan", T::type_struct, ""},
          {21, "no_flow_no_fan_pressure", T::type_struct, ""},
          {22, "master_off", T::type_struct, ""},
          {23, "no_comms", T::type_struct, ""},
          {24, "blocked_head", T::type_struct, ""},
          {25, "shaft_moving_tank_off", T::type_item_array, "10 alarm_t"},
          {26, "tank_no_liquid_flow", T::type_item_array, "10 alarm_t"},
          {27, "section_switching", T::type_struct, ""},
          {28, "pump_speed_low", T::type_item_array, "4 alarm_t"},
          {29, "pump_speed_high", T::type_item_array, "4 alarm_t"},
          {30, "case_drain", T::type_struct, ""},
          {31, "tank_active_no_rate", T::type_item_array, "10 alarm_t"},
          {32, "ladder_switch", T::type_struct, ""},
          {33, "aux_rpm_speed_low", T::type_struct, ""},
          {34, "aux_rpm_speed_high", T::type_struct, ""},
          {35, "down_force_off_master_on", T::type_struct, ""},
          {36, "drill_raised_master_on", T::type_struct, ""},
          {37, "hydraulic_pressure_low", T::type_struct, ""},
          {38, "master_on_tillage_off", T::type_struct, ""}}},
    {"history_t", make<history_t>,
         {{1, "machine_operating_area", T::type_float, "0"},
          {2, "machine_operating_distance", T::type_float, "0"},
          {3, "machine_operating_time", T::type_float, "0"},
          {4, "max_speed", T::type_float, "0"},
          {5, "output", T::type_item_array, "10 total_t"},
          {6, "shaft_max_speed", T::type_item_array, "10 value_t"},
          {7, "fan_max_speed", T::type_item_array, "5 value_t"},
          {8, "fan_avg_speed", T::type_item_array, "5 value_t"},
          {9, "fan_max_pressure", T::type_item_array, "4 value_t"},
          {10, "fan_avg_pressure", T::type_item_array, "4 value_t"},
          {11, "liquid_max_pressure", T::type_item_array, "10 value_t"},
          {12, "liquid_avg_pressure", T::type_item_array, "10 value_t"}}},
    {"rate_filter_t", make<rate_filter_t>,
         {{1, "rate_inhibit_time_setting", T::type_float, "0"},
          {2, "rate_filter_coefficient", T::type_float, "0"},
          {3, "rate_filter_dev_thresh", T::type_float, "0"}}},
    {"rvalve_controller_t", make<rvalve_controller_t>,
         {{1, "speed", T::type_uint8, "0"},
          {2, "max_on_time", T::type_uint8, "0"},
          {3, "min_on_time", T::type_uint8, "0"},
          {4, "gain", T::type_uint8, "0"}}},
    {"products_t", make<products_t>,
         {{1, "preset_rate_1", T::type_float, "0"},
          {2, "preset_rate_2", T::type_float, "0"},
          {3, "name", T::type_char, "name"},
          {4, "density", T::type_float, "0"},
          {5, "product_cal_factor", T::type_float, "0"},
          {6, "tank", T::type_uint8, "10"},
          {7, "inc_dec", T::type_float, "0"}}},
    {"fan_t", make<fan_t>,
         {{1, "sense_rpm", T::type_bool, "0"},
          {2, "filter_factor_rpm", T::type_float, "0.9"},
          {3, "filter_rpm", T::type_bool, "1"},
          {4, "encoder", T::type_uint8, "1"},
          {5, "sense_pressure", T::type_bool, "0"},
          {6, "filter_factor_pressure", T::type_float, "0.9"},
          {7, "filter_pressure", T::type_bool, "1"},
          {8, "pressure_gain", T::type_uint8, "1"},
          {9, "min_rpm", T::type_float, "0"},
          {10, "max_rpm", T::type_float, "0"},
          {11, "avg_rpm", T::type_float, "10"},
          {12, "avg_pressure", T::type_float, "1"},
          {13, "enabled", T::type_bool, "0"},
          {14, "use_fan_as_pump", T::type_bool, "0"},
          {15, "pressure_sensor_type", T::type_uint8, "1"},
          {16, "voltage_pressure_sensor", T::type_struct, ""},
          {17, "current_pressure_sensor", T::type_struct, ""}}},
    {"voltage_pressure_sensor_t", make<voltage_pressure_sensor_t>,
         {{1, "max_pressure", T::type_float, "0"},
          {2, "min_voltage", T::type_float, "0"},
          {3, "max_voltage", T::type_float, "0"}}},
    {"current_pressure_sensor_t", make<current_pressure_sensor_t>,
         {{1, "max_pressure", T::type_float, "0"}}},
    {"swbox_mapping_t", make<swbox_mapping_t>,
         {{1, "channel", T::type_int8, "-1"}}},
    {"booms_t", make<booms_t>,
         {{1, "num_booms", T::type_uint8, "0"},
          {2, "booms", T::type_item_array, "6 boom_t"},
          {3, "section_monitoring", T::type_bool, "0"},
          {4, "section_monitoring_style", T::type_uint8, "0"},
          {5, "section_control_mode", T::type_uint8, "0"}}},
    {"boom_t", make<boom_t>,
         {{1, "num_sections", T::type_uint8, "0"},
          {2, "sections", T::type_item_array, "10 section_t"},
          {5, "type", T::type_uint8, "0"},
          {9, "offset", T::type_struct, ""},
          {10, "on_time", T::type_double, "0"},
          {11, "off_time", T::type_double, "0"},
          {12, "working_length", T::type_float, "0"}}},
    {"section_t", make<section_t>,
         {{1, "offset_x", T::type_double, "0"},
          {2, "offset_y", T::type_double, "0"},
          {3, "offset_z", T::type_double, "0"},
          {4, "width", T::type_double, "0"},
          {5, "num_nozzles", T::type_uint16, "1"},
          {6, "on_time", T::type_double, "0"},
          {7, "off_time", T::type_double, "0"}}},
    {"offset_t", make<offset_t>,
         {{1, "x", T::type_float, "0"},
          {2, "y", T::type_float, "0"}}},
    {"machine_geometry_t", make<machine_geometry_t>,
         {{1, "connector_offset", T::type_struct, ""},
          {2, "geom_type", T::type_uint8, "0"},
          {4, "cart_rear", T::type_float, "0"},
          {5, "cart_front", T::type_float, "1"}}},
    {"areas_t", make<areas_t>,
         {{1, "channel", T::type_item_array, "10 sub_area_t"},
          {2, "area", T::type_item_array, "1 total_t"},
          {4, "sub_area_number", T::type_uint8, "0"}}},
    {"volumes_t", make<volumes_t>,
         {{1, "channel", T::type_item_array, "10 sub_area_t"},
          {2, "volume", T::type_item_array, "1 total_t"}}},
    {"sub_area_t", make<sub_area_t>,
         {{1, "sub_area", T::type_item_array, "10 total_t"}}},
    {"total_t", make<total_t>,
         {{1, "total", T::type_float, "0"}}},
    {"value_t", make<value_t>,
         {{1, "value", T::type_float, "0"}}},
    {"monitor_ecus_t", make<monitor_ecus_t>,
         {{1, "monitoring_config", T::type_uint8, "0"},
          {2, "monitor_ecus", T::type_item_array, "5 monitor_ecu_t"},
          {3, "monitor_inputs", T::type_item_array, "20 monitor_inputs_t"},
          {4, "monitoring_mode", T::type_uint8, "0"},
          {5, "blockage_sensor_type", T::type_uint8, "0"},
          {6, "monitor_inputs_sections", T::type_item_array, "160 monitor_inputs_sections_t"},
          {7, "double_shooting", T::type_bool, "0"},
          {8, "head_systems_enabled", T::type_uint8, "0"},
          {9, "num_sensors", T::type_uint8, "0"},
          {10, "first_fert_sensor", T::type_uint8, "0"}}},
    {"monitor_ecu_t", make<monitor_ecu_t>,
         {{1, "enabled", T::type_bool, "0"}}},
    {"monitor_inputs_t", make<monitor_inputs_t>,
         {{1, "mask", T::type_uint8, "255"}}},
    {"monitor_inputs_sections_t", make<monitor_inputs_sections_t>,
         {{1, "boom_section", T::type_uint16, "0"}}},
    {"temporary_t", make<temporary_t>,
         {{5, "num_downforces", T::type_uint8, "0"}}},
    {"system_t", make<system_t>,
         {{1, "non_vtt_connected", T::type_bool, "0"},
          {2, "terminal_timeout", T::type_uint16, "60"},
          {3, "tc_enabled", T::type_bool, "0"},
          {4, "specific_vt_name", T::type_uint64, "18446744073709551231"},
          {6, "app_preferred_address", T::type_uint8, "144"},
          {7, "master_preferred_address", T::type_uint8, "160"},
          {8, "specific_tc_name", T::type_uint64, "18446744073709551231"},
          {9, "specific_tc_timeout", T::type_uint16, "60"},
          {10, "config_hash", T::type_uint32, "0"}}},
    {"can_t", make<can_t>,
         {{1, "vtt_throttling", T::type_struct, ""},
          {2, "non_vtt_throttling", T::type_struct, ""}}},
    {"vtt_throttling_t", make<vtt_throttling_t>,
         {{1, "delay_ms", T::type_uint16, "0"},
          {2, "pkts_between_delay", T::type_uint8, "0"}}},
    {"non_vtt_throttling_t", make<non_vtt_throttling_t>,
         {{1, "delay_ms", T::type_uint16, "40"},
          {2, "pkts_between_delay", T::type_uint8, "5"}}},
    };
    return cases;
}

void expect_field(const NV_item& item, const Field& field)
{
    SCOPED_TRACE(field.name);
    EXPECT_EQ(item.get_id(), field.id);
    EXPECT_STREQ(item.get_name(), field.name);
    EXPECT_EQ(item.get_type(), field.type);
    std::string value = field.value;
    if (value == "name") {
        auto name = dynamic_cast<const nv_name*>(&item);
        ASSERT_NE(name, nullptr);
        char chars[20];
        name->get(chars, 20);
        EXPECT_EQ(std::string(chars, 20), std::string(20, '\0'));
    } else if (field.type == T::type_item_array) {
        auto& array = static_cast<const NV_container&>(item);
        unsigned count = 0;
        for (auto element = array.get_first_child(); element; element = element->get_next_sibling(), ++count) {
            EXPECT_EQ(element->get_id(), count);
            EXPECT_EQ(element->get_parent(), &array);
            EXPECT_EQ(value.substr(value.find(' ') + 1), element->get_name());
        }
        EXPECT_EQ(std::to_string(count), value.substr(0, value.find(' ')));
    } else if (field.type != T::type_struct) {
        char text[32] = "";
        item._to_string(text, sizeof text);
        EXPECT_EQ(value, text);
    }
}

class Record_table : public testing::TestWithParam<Record_case> {};

TEST_P(Record_table, a_fresh_record_holds_the_fields_of_its_table_in_id_order_and_no_other)
{
    const Record_case& c = GetParam();
    std::unique_ptr<NV_container> record = c.make();
    EXPECT_STREQ(record->get_name(), c.name);
    EXPECT_EQ(record->get_id(), 0);
    EXPECT_EQ(record->get_parent(), nullptr);
    EXPECT_EQ(record->_get_root(), nullptr);

    const NV_item* item = record->get_first_child();
    for (const Field& field : c.fields) {
        ASSERT_NE(item, nullptr) << "missing " << field.name;
        expect_field(*item, field);
        item = item->get_next_sibling();
    }
    EXPECT_EQ(item, nullptr) << "a field beyond the table: " << (item ? item->get_name() : "");
}

TEST_P(Record_table, ids_between_the_fields_belong_to_no_field)
{
    const Record_case& c = GetParam();
    std::unique_ptr<NV_container> record = c.make();
    std::set<unsigned> used;
    for (const Field& field : c.fields)
        used.insert(field.id);
    for (unsigned id = 0; id <= *used.rbegin() + 1; ++id) {
        if (!used.count(id)) {
            EXPECT_EQ(record->find_child((unsigned short)id), nullptr) << "id " << id;
        }
    }
    for (const Field& field : c.fields)
        EXPECT_STREQ(record->find_child((unsigned short)field.id)->get_name(), field.name);
}

INSTANTIATE_TEST_SUITE_P(Params, Record_table, testing::ValuesIn(record_cases()),
                         [](const testing::TestParamInfo<Record_case>& info) { return std::string(info.param.name); });

TEST(Parameter_tree, the_root_holds_the_four_groups_in_order)
{
    parameters_t tree;
    EXPECT_STREQ(tree.get_name(), "parameters_t");
    EXPECT_EQ(tree.get_id(), 0);
    EXPECT_EQ(tree.get_type(), T::type_struct);
    const char* names[] = {"app", "temporary", "system", "can"};
    const NV_item* group = tree.get_first_child();
    for (unsigned i = 0; i < 4; ++i, group = group->get_next_sibling()) {
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->get_id(), i + 1);
        EXPECT_STREQ(group->get_name(), names[i]);
    }
    EXPECT_EQ(group, nullptr);

    parameters_t ps(nullptr, 0, "PS");
    EXPECT_STREQ(ps.get_name(), "PS");
    EXPECT_EQ(ps.get_id(), 0);
}

// Every item of a group: the group records match their standalone tables,
// which the test above checks; here what only the tree has.
void expect_in_tree(const NV_item& item, const NV_store::NV_root* root)
{
    auto container = dynamic_cast<const NV_container*>(&item);
    if (!container)
        return;
    EXPECT_EQ(container->_get_root(), root) << item.get_name();
    for (auto child = container->get_first_child(); child; child = child->get_next_sibling()) {
        EXPECT_EQ(child->get_parent(), container);
        expect_in_tree(*child, root);
    }
}

TEST(Parameter_tree, every_container_of_the_tree_knows_its_root_and_every_item_its_parent)
{
    parameters_t tree;
    expect_in_tree(tree, &tree);
}

TEST(Parameter_tree, records_inside_the_tree_start_at_their_defaults_too)
{
    parameters_t tree;
    EXPECT_EQ(tree.app.manual_speed.get(), 10.0f);
    EXPECT_EQ(tree.app.speed_filter_factor.get(), 0.9f);
    EXPECT_EQ(tree.app.calibration_drive_channel.get(), -1);
    EXPECT_EQ(tree.app.downforces[4]->assigned_to_pump.get(), 255);
    EXPECT_EQ(tree.app.channels[9]->pvalve_granular_mode.get(), 32);
    EXPECT_EQ(tree.system.specific_vt_name.get(), 0xFFFFFFFFFFFFFE7Full);
    EXPECT_EQ(tree.can.non_vtt_throttling.delay_ms.get(), 40);
    EXPECT_EQ(tree.can.non_vtt_throttling.pkts_between_delay.get(), 5);
    EXPECT_EQ(tree.app.booms.booms[5]->sections[9]->num_nozzles.get(), 1);
    EXPECT_EQ(tree.app.monitor_ecus.monitor_inputs[19]->mask.get(), 0xFF);
    EXPECT_EQ(tree.app.machine_geometry.cart_front.get(), 1.0f);
}

TEST(Parameter_tree, set_default_puts_every_value_back_silently)
{
    parameters_t fresh, tree;
    scribble(tree, 7);
    ASSERT_NE(image_of(tree), image_of(fresh));
    Listener_log watch;
    watch.listen(tree, "tree", true);

    EXPECT_TRUE(tree.set_default(true));
    EXPECT_EQ(image_of(tree), image_of(fresh));
    EXPECT_EQ(watch.waiter.pending(), 0u);
}

}
