#include "tests/data_store/Store_fixture.h"
#include "tests/data_store/Tree_walk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

namespace {

std::string text_of(CDS::Lookup_item& node)
{
    char text[32] = {};
    node._to_string(text, sizeof text);
    return text;
}

// Every published value that does not start at zero.
const std::map<std::string, std::string> initial_values = {
    {"channels.channels.0.min_rate", "1e+06"},
    {"channels.channels.9.min_rate", "1e+06"},
    {"downforces.channels.4.min_rate", "1e+06"},
    {"channels.channels.3.rate_control_mode", "1"},
    {"downforces.channels.0.restart_liquid_pressure_filter", "1"},
    {"channels.channels.5.bin_capacity", "1000"},
    {"channels.channels.7.sequence_time_expired", "1"},
    {"channels.channels.2.cultural_practise", "2"},
    {"downforces.channels.2.last_product_density", "1"},
    {"booms.boom.0.use_asc_boundary", "1"},
    {"booms.boom.5.use_asc_coverage", "1"},
    {"booms.boom.5.ignore_ASC", "1"},
    {"operation.inhibit_master_switch", "1"},
    {"operation.calibration_scale_dec_places", "3"},
    {"system.hardware_id", "1"},
    {"system.alive", "1"},
    {"ecu_config.internal_slave_identity", "-1"},
    {"section_monitors.tanks.0.section_encoder_ratio", "1"},
    {"section_monitors.tanks.9.section_encoder_ratio", "1"},
    {"section_monitors.threshold_percent", "10"},
    {"section_monitors.pulsed_section_monitors_diagnostics_input", "-1"},
    {"section_monitors.pulsed_section_monitors_diagnostics_section_ratio", "1"},
    {"section_monitors.pulsed_section_monitors_diagnostics_boom", "1"},
    {"section_monitors.pulsed_section_monitors_diagnostics_section", "1"},
};

// Fields set in every channel and downforce channel and every boom: the table
// above names a few of them, this names the rest by field.
const std::map<std::string, std::string> per_record_values = {
    {"min_rate", "1e+06"}, {"rate_control_mode", "1"}, {"restart_liquid_pressure_filter", "1"},
    {"bin_capacity", "1000"}, {"sequence_time_expired", "1"}, {"cultural_practise", "2"},
    {"last_product_density", "1"}, {"use_asc_boundary", "1"}, {"use_asc_coverage", "1"}, {"ignore_ASC", "1"},
};

bool in_channel_or_boom(const std::string& path)
{
    return path.rfind("channels.channels.", 0) == 0 || path.rfind("downforces.channels.", 0) == 0 ||
           (path.rfind("booms.boom.", 0) == 0 && path.find(".sections.") == std::string::npos);
}

TEST(Initial_values, the_published_fields_start_at_their_table_values_and_all_others_at_zero)
{
    Store_fixture f;
    for (const auto& [path, value] : initial_values) {
        CDS::Lookup_item* node = f.root().find_data_item(path.c_str());
        ASSERT_NE(node, nullptr) << path;
        EXPECT_EQ(text_of(*node), value) << path;
    }
    int leaves = 0;
    for (const Walked_node& w : walk_tree(f.root())) {
        if (w.node->as_struct())
            continue;
        std::string field = w.path.substr(w.path.rfind('.') + 1);
        auto listed = initial_values.find(w.path);
        std::string expected = listed != initial_values.end() ? listed->second : "0";
        if (in_channel_or_boom(w.path) && per_record_values.count(field))
            expected = per_record_values.at(field);
        if (field == "section_encoder_ratio")
            expected = "1";
        if (text_of(*w.node).empty()) {
            // Arrays: every byte zero but the two named ones.
            if (w.path == "diagnostics.level_sensor_on" || w.path == "system.firmware_version.string")
                continue;
            auto* bytes = static_cast<const unsigned char*>(w.node->get_item_ptr());
            for (unsigned i = 0; i < w.node->get_item_size(); ++i)
                EXPECT_EQ(bytes[i], 0) << w.path;
        } else {
            EXPECT_EQ(text_of(*w.node), expected) << w.path;
            ++leaves;
        }
    }
    EXPECT_GT(leaves, 1000);
}

TEST(Initial_values, arrays_alarms_and_unpublished_members_start_as_the_other_subsystems_expect)
{
    Store_fixture f;
    data_store_body& b = f.body();
    for (bool on : b.diagnostics.level_sensor_on)
        EXPECT_TRUE(on);
    const char expected_version[12] = {'1', '.', '2', '.', '3'};
    EXPECT_EQ(std::memcmp(b.system.firmware_version.string, expected_version, 12), 0);
    const ds_alarms no_alarms{};
    EXPECT_EQ(std::memcmp(&b.alarms, &no_alarms, sizeof no_alarms), 0);
    for (const ds_channel& c : b.channels.channels)
        EXPECT_EQ(c.reserved, 11);
    for (const ds_channel& c : b.downforces.channels)
        EXPECT_EQ(c.reserved, 11);
    for (const ds_ecu_info& info : b.ecu_config.ecu_info)
        EXPECT_EQ(info.iso_name, ~uint64_t(0));
    for (const ds_section_monitoring_tanks& tank : b.section_monitors.tanks)
        EXPECT_EQ(tank.boom_assignment, 0);
    const Iso_name_slot default_name{};
    EXPECT_EQ(std::memcmp(&b.system.iso_name, &default_name, sizeof default_name), 0);
}

TEST(Initial_values, the_version_text_is_cut_to_eleven_characters_and_always_terminated)
{
    struct Case {
        const char* text;
        const char* kept;
    } cases[] = {
        {"", ""},
        {"1.2.3", "1.2.3"},
        {"12345678901", "12345678901"},
        {"123456789012", "12345678901"},
        {"1234567890123456789", "12345678901"},
        {nullptr, ""},
    };
    for (const Case& c : cases) {
        data_store_body body = initial_data_store_body(c.text);
        char expected[12] = {};
        std::strcpy(expected, c.kept);
        EXPECT_EQ(std::memcmp(body.system.firmware_version.string, expected, 12), 0) << (c.text ? c.text : "null");
    }
}

}
