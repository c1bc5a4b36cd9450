#include "platform/data/CDS_get_number_as_name.h"
#include "tests/data_store/Store_fixture.h"
#include "tests/data_store/Tree_walk.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>

namespace {

struct Tree_test : ::testing::Test {
    Store_fixture f;
    CDS::Lookup_data_store_body& root = f.root();
    data_store_body& b = f.body();

    CDS::Lookup_item& node(const std::string& path)
    {
        CDS::Lookup_item* n = root.find_data_item(path.c_str());
        if (!n)
            throw std::runtime_error("no node " + path);
        return *n;
    }
    std::vector<std::string> child_names(const std::string& path)
    {
        std::vector<std::string> names;
        for (CDS::Lookup_item& child : node(path).as_struct()->children())
            names.push_back(child.get_name());
        return names;
    }
};

const unsigned char* start_of(const CDS::Lookup_item& n)
{
    return static_cast<const unsigned char*>(n.get_item_ptr());
}

bool is_index(const char* name)
{
    return *name && std::all_of(name, name + std::strlen(name), [](char c) { return std::isdigit((unsigned char)c); });
}

TEST_F(Tree_test, the_root_holds_the_twenty_groups_in_body_order)
{
    EXPECT_STREQ(root.get_name(), "data_store");
    EXPECT_STREQ(root.get_type_name(), "data_store_body");
    EXPECT_STREQ(root.get_comment(), "");
    EXPECT_EQ(root.get_parent(), nullptr);
    EXPECT_EQ(root.get_item_ptr(), &b);
    EXPECT_EQ(root.get_item_size(), 11056u);
    EXPECT_EQ(f.head().get_lookup(), &root);
    struct Group {
        const char* name;
        const char* type_name;
        const void* item;
    } groups[] = {
        {"channels", "ds_channels", &b.channels},
        {"booms", "ds_booms", &b.booms},
        {"downforces", "ds_downforces", &b.downforces},
        {"vehicle", "ds_vehicle", &b.vehicle},
        {"operation", "ds_operation", &b.operation},
        {"fans", "ds_fan", &b.fans},
        {"areas", "ds_areas", &b.areas},
        {"volumes", "ds_volumes", &b.volumes},
        {"alarms", "ds_alarms", &b.alarms},
        {"temperatures", "ds_temperature", &b.temperatures},
        {"internal", "ds_internal", &b.internal},
        {"history", "ds_history", &b.history},
        {"diagnostics", "ds_diagnostics", &b.diagnostics},
        {"monitor_ecus", "ds_monitor_ecus", &b.monitor_ecus},
        {"system", "ds_system", &b.system},
        {"ecu_config", "ds_ecu_config", &b.ecu_config},
        {"simulation", "ds_simulation", &b.simulation},
        {"section_monitors", "ds_section_monitoring", &b.section_monitors},
        {"fs_interface", "ds_fs_interface", &b.fs_interface},
        {"interface", "ds_tc_interface", &b.interface},
    };
    ASSERT_EQ(root.children().count(), 20u);
    const Group* g = groups;
    for (CDS::Lookup_item& child : root.children()) {
        EXPECT_STREQ(child.get_name(), g->name);
        EXPECT_STREQ(child.get_type_name(), g->type_name) << g->name;
        EXPECT_EQ(child.get_item_ptr(), g->item) << g->name;
        EXPECT_EQ(child.get_parent(), &root) << g->name;
        EXPECT_TRUE(child.get_comment() == nullptr || std::string(g->name) == "fans") << g->name;
        ++g;
    }
    EXPECT_STREQ(node("fans").get_comment(), "");
}

TEST_F(Tree_test, arrays_of_records_hold_numbered_elements_whose_parent_is_the_declaring_record)
{
    struct Array {
        const char* path;
        unsigned count;
        const char* type_name;
    } arrays[] = {
        {"channels.channels", 10, "ds_channel"},
        {"downforces.channels", 5, "ds_channel"},
        {"booms.boom", 6, "ds_boom"},
        {"booms.boom.5.sections", 10, "ds_section"},
        {"fans", 5, "ds_fan"},
        {"operation.tank", 10, "ds_tank_calibration"},
        {"operation.calibration_scales", 8, "ds_calibration_scale"},
        {"areas.area", 1, "ds_total"},
        {"volumes.volume", 1, "ds_total"},
        {"alarms.fan_sensor_fail", 4, "ds_alarm"},
        {"alarms.tank_low", 10, "ds_alarm"},
        {"alarms.tank_no_liquid_flow", 10, "ds_alarm"},
        {"alarms.pump_speed_low", 4, "ds_alarm"},
        {"alarms.pump_speed_high", 4, "ds_alarm"},
        {"diagnostics.shaft", 10, "ds_shaft"},
        {"diagnostics.fans", 5, "ds_fans_diags"},
        {"diagnostics.actuator", 10, "ds_actuator_diags"},
        {"diagnostics.downforce", 5, "ds_downforce_diags"},
        {"diagnostics.motor_current", 10, "ds_adc"},
        {"diagnostics.liquid_pressure_sensor", 10, "ds_adc"},
        {"diagnostics.spray_ecu", 2, "ds_spray_ecu_diag"},
        {"monitor_ecus.monitor_ecu", 5, "ds_monitor_ecu"},
        {"ecu_config.isoecu_list", 31, "ds_isoecu"},
        {"ecu_config.ecu_info", 13, "ds_ecu_info"},
        {"ecu_config.ioecu_aux_mcu_version", 5, "ds_version"},
        {"section_monitors.tanks", 10, "ds_section_monitoring_tanks"},
        {"section_monitors.booms", 10, "ds_section_monitoring_booms"},
        {"section_monitors.inputs", 32, "ds_section_monitoring_inputs"},
        {"interface.channels", 10, "ds_chan"},
    };
    for (const Array& a : arrays) {
        CDS::Lookup_item& array = node(a.path);
        EXPECT_STREQ(array.get_type_name(), a.type_name) << a.path;
        ASSERT_EQ(array.as_struct()->children().count(), a.count) << a.path;
        unsigned i = 0;
        for (CDS::Lookup_item& element : array.as_struct()->children()) {
            EXPECT_STREQ(element.get_name(), std::to_string(i).c_str()) << a.path;
            EXPECT_STREQ(element.get_type_name(), a.type_name) << a.path;
            EXPECT_EQ(element.get_comment(), nullptr) << a.path;
            EXPECT_EQ(element.get_parent(), array.get_parent()) << a.path;
            EXPECT_EQ(start_of(element), start_of(array) + i * element.get_item_size()) << a.path;
            ++i;
        }
    }
    EXPECT_EQ(node("channels.channels.3").get_item_ptr(), &b.channels.channels[3]);
    EXPECT_EQ(node("channels.channels.3").get_parent(), &node("channels"));
    EXPECT_EQ(node("fans.2").get_parent(), &root);
    EXPECT_EQ(child_names("areas"), (std::vector<std::string>{"area", "area_rate", "sub_area_number"}));
    EXPECT_EQ(child_names("volumes"), (std::vector<std::string>{"volume"}));
}

// Published entries chosen for their traps: texts with trailing blanks,
// shared texts, type names that differ only in spelling, sizes of the
// "unsigned long" and 16- and 64-bit fields, and the three kinds of comment
// an entry of records may have.
TEST_F(Tree_test, entries_publish_their_type_names_comments_and_sizes)
{
    struct Entry {
        const char* path;
        const char* type_name;
        const char* comment; // nullptr: no comment at all
        unsigned size;
    } entries[] = {
        {"channels", "ds_channels", nullptr, 2880},
        {"channels.channels", "ds_channel", "", 2880},
        {"channels.channels.3", "ds_channel", nullptr, 288},
        {"channels.channels.0.ecu_version", "ds_version", nullptr, 3},
        {"channels.channels.0.ecu_version.v_major", "uchar", "", 1},
        {"channels.channels.0.set_period", "unsigned long", "The set period we wish the ECU to control to", 4},
        {"channels.channels.0.rate_inc_manual", "bool", "For liquid channels, cleared by the ECU when action performed", 1},
        {"channels.channels.0.rate_dec_manual", "bool", "For liquid channels, cleared by the ECU when action performed", 1},
        {"channels.channels.0.selected", "bool", "", 1},
        {"channels.channels.9.last_product_density", "double", "Density of the last product used in Kg/Litre. Uploaded by non-VT", 8},
        {"channels.channels.0.motor_load", "float", "The motor load as a 0-100%", 4},
        {"downforces.channels", "ds_channel", "", 1440},
        {"booms.boom.5.sections.9", "ds_section", nullptr, 24},
        {"booms.boom.5.sections.9.section_pending_count", "int", "", 4},
        {"booms.boom.0.section_control_state", "uint32_t", "", 4},
        {"booms.boom.0.ignore_ASC", "bool", "Ignore sections states from ASC. Use cached state with switch state.", 1},
        {"vehicle.ground_speed_sensor.period", "unsigned long", "", 4},
        {"operation.use_manual_speed", "bool", "Using manual speed rather than ", 1},
        {"operation.illegal_master_switch_action", "bool", "Turned on master when inhibitted", 1},
        {"operation.calibration_scales", "ds_calibration_scale", "", 64},
        {"operation.frame_swbox", "ds_frame_swbox", nullptr, 1},
        {"fans", "ds_fan", "", 100},
        {"fans.2.period", "unsigned int", "Current encoder period", 4},
        {"areas.area", "ds_total", "Total area covered", 4},
        {"volumes.volume", "ds_total", "Total product output", 4},
        {"volumes.volume.0.total", "float", "", 4},
        {"temperatures.value", "float", "Temperature of ECU - one sensor for ", 8},
        {"history.fan_max_pressure", "float", "Max Fan pressure - stored in", 16},
        {"history.fan_speed_samples", "unsigned int", "Counter for the no. of fan speed", 20},
        {"alarms", "ds_alarms", nullptr, 865},
        {"alarms.fan_pressure_low", "ds_alarm", nullptr, 5},
        {"alarms.pump_speed_high", "ds_alarm", "", 20},
        {"alarms.tank_empty.3.new_alarm", "bool", "The alarm has been triggered by the logic", 1},
        {"diagnostics.level_sensor_on", "bool", "Current bin levels sensor ", 10},
        {"diagnostics.ground_speed", "ds_ground_speed_sensor", "Current ground speed stats", 8},
        {"diagnostics.shaft.0.period", "unsigned long", "", 4},
        {"diagnostics.comms", "ds_comms_diags", "Current comms stats", 248},
        {"diagnostics.comms.ecu_count", "unsigned int", "ECU missed comms", 88},
        {"diagnostics.comms.poll_id_count_37", "unsigned int", "Poll ID37 missed comms", 4},
        {"diagnostics.spray_ecu.1.boom_state", "uchar", "Spray ECU boom states", 4},
        {"monitor_ecus.head_system_active", "bool", "", 3},
        {"monitor_ecus.monitor_inputs_active", "uchar", "", 20},
        {"system.mac_address", "uint64_t", "", 8},
        {"system.info.receiver_id.short_hash", "uint16_t", "", 2},
        {"system.firmware_version.string", "char", "", 12},
        {"system.reset_params_required", "bool", "params will be reset when operate_as_master event is handled", 1},
        {"ecu_config.internal_slave_identity", "int32_t", "internal slave identity", 4},
        {"ecu_config.internal_slave_version", "ds_version", nullptr, 3},
        {"ecu_config.ioecu_aux_mcu_version", "ds_version", "", 15},
        {"ecu_config.ecu_info.12.serial_id.id", "uint8_t", "MSB first", 12},
        {"ecu_config.ecu_info.12", "ds_ecu_info", nullptr, 24},
        {"ecu_config.isoecu_list.30.name", "uint64_t", "", 8},
        {"fs_interface.file_name", "char", "", 80},
        {"fs_interface.signature", "unsigned char", "", 16},
        {"interface.channels.9.bin.content_setpoint", "double", "", 8},
        {"interface.lifetime_ineffective_time", "int32_t", "", 4},
        {"section_monitors.inputs", "ds_section_monitoring_inputs", "", 384},
        {"section_monitors.pulsed_section_monitors_diagnostics_section_ratio", "float",
         "The ratio of the section shaft rpm to the tank shaft rpm for the pulsed section monitor disagnotsics input", 4},
        {"simulation.enabled", "bool", "", 1},
    };
    for (const Entry& e : entries) {
        CDS::Lookup_item& n = node(e.path);
        EXPECT_STREQ(n.get_type_name(), e.type_name) << e.path;
        if (e.comment) {
            EXPECT_STREQ(n.get_comment(), e.comment) << e.path;
        } else {
            EXPECT_EQ(n.get_comment(), nullptr) << e.path;
        }
        EXPECT_EQ(n.get_item_size(), e.size) << e.path;
    }
}

TEST_F(Tree_test, every_node_lies_inside_its_parent_and_is_found_again_by_its_path)
{
    const std::set<std::string> unbuilt = {"ds_swboxes", "ds_swbox", "ds_swbox_id", "ds_fs_volume_info", "ds_fs_volume"};
    std::vector<Walked_node> nodes = walk_tree(root);
    for (const Walked_node& w : nodes) {
        const CDS::Lookup_item& n = *w.node;
        ASSERT_NE(n.get_name(), nullptr);
        ASSERT_NE(n.get_type_name(), nullptr) << w.path;
        EXPECT_EQ(unbuilt.count(n.get_type_name()), 0u) << w.path;
        EXPECT_EQ(root.find_data_item(w.path.c_str()), w.node) << w.path;
        EXPECT_GE(start_of(n), start_of(*w.container)) << w.path;
        EXPECT_LE(start_of(n) + n.get_item_size(), start_of(*w.container) + w.container->get_item_size()) << w.path;
        if (is_index(n.get_name())) {
            EXPECT_EQ(n.get_parent(), w.container->get_parent()) << w.path;
            EXPECT_STREQ(n.get_type_name(), w.container->get_type_name()) << w.path;
        } else {
            EXPECT_EQ(n.get_parent(), w.container) << w.path;
        }
        if (!w.node->as_struct()) {
            unsigned element = Data_item::get_value_size(n.get_type());
            ASSERT_NE(element, 0u) << w.path;
            if (dynamic_cast<const CDS::Lookup_basic_array_base*>(&n)) {
                EXPECT_EQ(n.get_item_size() % element, 0u) << w.path;
            } else {
                EXPECT_EQ(n.get_item_size(), element) << w.path;
            }
        }
    }
    EXPECT_GT(nodes.size(), 3000u);
}

TEST_F(Tree_test, siblings_ascend_without_overlap)
{
    for (const Walked_node& w : walk_tree(root)) {
        CDS::Lookup_struct* record = w.node->as_struct();
        if (!record)
            continue;
        const CDS::Lookup_item* elder = nullptr;
        for (const CDS::Lookup_item& child : record->children()) {
            if (elder) {
                EXPECT_LE(start_of(*elder) + elder->get_item_size(), start_of(child)) << w.path << "." << child.get_name();
            }
            elder = &child;
        }
    }
}

TEST_F(Tree_test, unpublished_members_have_no_node_and_print_leaves_them_out)
{
    for (const char* path : {"system.iso_name", "channels.channels.0.reserved", "internal.fs_volume_info",
                             "areas.sub_area", "volumes.sub_volume", "booms.boom.0.sections.0.cached_state",
                             "ecu_config.ecu_info.0.iso_name", "interface.reserved", "interface.channels.0.tank_type_flag"})
        EXPECT_EQ(root.find_data_item(path), nullptr) << path;
    Debug_capture capture;
    node("system").print(1);
    EXPECT_NE(capture.text().find("        uint32_t ip_address = 0; \"\"\n        unsigned int hardware_id = 1; \"\"\n"),
              std::string::npos)
        << capture.text();
    capture.clear();
    node("booms.boom.0.sections.0").print(0);
    EXPECT_EQ(capture.text(), "struct ds_section { \"\"\n    int section_pending_count = 0; \"\"\n} 0;\n");
}

TEST_F(Tree_test, the_alarm_records_follow_one_another_without_gaps)
{
    EXPECT_EQ(start_of(node("alarms.tank_empty.3")), reinterpret_cast<unsigned char*>(&b.alarms) + 105);
    std::vector<const unsigned char*> records;
    for (const Walked_node& w : walk_tree(*node("alarms").as_struct()))
        if (std::strcmp(w.node->get_type_name(), "ds_alarm") == 0 && w.node->get_item_size() == 5)
            records.push_back(start_of(*w.node));
    ASSERT_EQ(records.size(), 173u);
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(records[i], reinterpret_cast<unsigned char*>(&b.alarms) + 5 * i);
}

TEST_F(Tree_test, a_value_set_by_path_reaches_the_store_with_an_event)
{
    f.follow(&b.channels.channels[2].requested_rate, 8, 5);
    ASSERT_NE(node("channels.channels.2.requested_rate").from_string("12.5", f.head()), nullptr);
    EXPECT_EQ(b.channels.channels[2].requested_rate, 12.5);
    EXPECT_EQ(take_events(f.waiter).size(), 1u);
    EXPECT_EQ(node("alarms.no_comms.active") == "0", true);
}

TEST_F(Tree_test, the_records_without_a_group_still_describe_themselves)
{
    ds_swboxes swboxes{};
    CDS::Lookup_ds_swboxes swboxes_node(root, &swboxes);
    EXPECT_STREQ(swboxes_node.get_name(), "ds_swboxes");
    EXPECT_EQ(swboxes_node.children().count(), 16u);
    CDS::Lookup_item* detected = swboxes_node.find_data_item("detected");
    ASSERT_NE(detected, nullptr);
    EXPECT_EQ(detected->as_struct()->children().count(), 8u);
    EXPECT_STREQ(swboxes_node.find_data_item("detected.7.id")->get_type_name(), "uint32_t");
    EXPECT_EQ(swboxes_node.find_data_item("cabin.no_comms")->get_item_ptr(), &swboxes.cabin.no_comms);

    ds_fs_volume_info volumes{};
    CDS::Lookup_ds_fs_volume_info volumes_node(root, &volumes);
    CDS::Lookup_item* name = volumes_node.find_data_item("fs_volume.4.volume_name");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->get_item_ptr(), volumes.fs_volume[4].volume_name);
    EXPECT_EQ(name->get_item_size(), 20u);
    EXPECT_EQ(root.children().count(), 20u);
}

TEST(Lookup_tree, a_tree_over_a_store_of_its_own_registers_there_and_leaves_the_store_untouched)
{
    module_man manager;
    auto body = std::make_unique<data_store_body>(initial_data_store_body("x"));
    const data_store_body before = *body;
    CDS::Head head(&manager, body.get());
    {
        auto tree = std::make_unique<CDS::Lookup_data_store_body>(head, body.get());
        EXPECT_EQ(head.get_lookup(), tree.get());
        EXPECT_EQ(tree->find_data_item("system.alive")->get_item_ptr(), &body->system.alive);
    }
    EXPECT_EQ(std::memcmp(&before, body.get(), sizeof before), 0);
}

TEST(Lookup_tree, element_names_are_lasting_decimal_texts)
{
    EXPECT_STREQ(CDS::get_number_as_name(0), "0");
    EXPECT_STREQ(CDS::get_number_as_name(31), "31");
    EXPECT_STREQ(CDS::get_number_as_name(255), "255");
    EXPECT_EQ(CDS::get_number_as_name(7), CDS::get_number_as_name(7));
}

}
