// The slave ECUs' upgrade script: the document, its replacement and its failures.
#include "data_store/Data_store.h"
#include "isobus/FS_interface.h"
#include "isobus/Upgrade_target_list.h"
#include "isobus/write_upgrade_script_file.h"
#include "params/parameters_t.h"
#include "platform/can/Known_names.h"
#include "platform/rtos/module_man.h"
#include "tests/isobus/Fs_bench.h"
#include "tests/support/Crash_states.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>


namespace {

using ZEV_name::Field;
using ZEV_name::RAWNAME;

std::string text_of(const std::vector<uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

RAWNAME with_identity(const ZEV_name::NAME& pattern, uint32_t identity)
{
    const uint64_t mask = RAWNAME::field_mask(Field::identity_number);
    return RAWNAME((pattern.get_value() & ~mask) | identity);
}

const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<Script name=\"KX-4 Seeder\">\n"
                         "    <Debug filename=\"debug.txt\"/>\n"
                         "    <Report filename=\"report.txt\"/>\n";
const std::string tail = "</Script>\n";

std::string firmware(const char* name, const char* file, const char* self_configurable, unsigned function,
                     unsigned identity)
{
    return std::string("    <Firmware name=\"") + name + "\" filename=\"" + file + "\">\n" +
           "        <Name_mask description=\"" + name + "\" is_self_configurable=\"" + self_configurable +
           "\" industry_group=\"2\" device_class_instance=\"0\" device_class=\"4\" function=\"" +
           std::to_string(function) + "\" function_instance=\"0\" ECU_instance=\"0\" manufacturer_code=\"723\" " +
           "identity_number=\"" + std::to_string(identity) + "\"/>\n" + "    </Firmware>\n";
}

struct Golden {
    const char* what;
    std::vector<RAWNAME> names;
    std::string document;
};

TEST(Upgrade_script, writes_the_document_for_each_kind_of_slave_ecu)
{
    const RAWNAME self_configurable_slave(with_identity(Known_names::get_tessaryn_slave(-1), 5).get_value() |
                                          RAWNAME::field_mask(Field::self_configurable));
    ASSERT_GE(self_configurable_slave.get_bytes()[7], 0x80);
    const Golden cases[] = {
        {"no targets", {}, head + tail},
        {"an I/O ECU: two Firmware elements with one mask",
         {with_identity(Known_names::get_tessaryn_io(), 77)},
         head + firmware("Orrvan TV-56", "tessaryn_io_fw.hex", "false", 134, 77) +
             firmware("Orrvan TV-56 Aux CPU", "tessaryn_io_aux_fw.hex", "false", 134, 77) + tail},
        {"a slave and a next-generation slave, in order",
         {Known_names::get_tessaryn_slave(1234), Known_names::get_tessaryn_nextgen_slave(0x1FFFFF)},
         head + firmware("Orrvan RQ-71 Aux", "tessaryn_slave_fw.hex", "false", 132, 1234) +
             firmware("Orrvan RQ-73 Aux", "tessaryn_slave_fw.hex", "false", 133, 0x1FFFFF) + tail},
        {"byte 7 of 0x80 and above: self-configurable",
         {self_configurable_slave},
         head + firmware("Orrvan RQ-71 Aux", "tessaryn_slave_fw.hex", "true", 132, 5) + tail},
        {"an unknown ECU is left out", {Known_names::get_seeder(3)}, head + tail},
    };
    for (const Golden& c : cases) {
        SCOPED_TRACE(c.what);
        Scratch_folder folder;
        Upgrade_target_list targets(folder.path());
        for (const RAWNAME& n : c.names)
            targets.add(n);
        ASSERT_TRUE(write_upgrade_script_file(targets));
        EXPECT_EQ(text_of(folder.read("TessarynUpgrade.xml")), c.document);
        EXPECT_EQ(folder.names(), std::vector<std::string>{"TessarynUpgrade.xml"});
    }
}

TEST(Upgrade_script, an_unknown_ecu_is_reported_with_its_name)
{
    Scratch_folder folder;
    Upgrade_target_list targets(folder.path());
    targets.add(Known_names::get_seeder(3));
    Debug_capture output;
    ASSERT_TRUE(write_upgrade_script_file(targets));
    const std::string text = output.text();
    EXPECT_EQ(text.rfind("Unknown ECU added to firmware upgrade:\nNAME ", 0), 0u) << text;
    EXPECT_NE(text.find("function 128"), std::string::npos) << text;
}

TEST(Upgrade_script, an_old_script_is_replaced_not_appended_to)
{
    Scratch_folder folder;
    folder.write("TessarynUpgrade.xml", std::vector<uint8_t>(5000, 'x'));
    ASSERT_TRUE(write_upgrade_script_file(Upgrade_target_list(folder.path())));
    EXPECT_EQ(text_of(folder.read("TessarynUpgrade.xml")), head + tail);
}

TEST(Upgrade_script, a_script_written_survives_a_power_cut_at_once)
{
    Scratch_folder folder;
    folder.write("TessarynUpgrade.xml", std::vector<uint8_t>(50, 'x'));
    std::vector<Crash_states::Folder> after;
    {
        Crash_states crash(folder.path());
        ASSERT_TRUE(write_upgrade_script_file(Upgrade_target_list(folder.path())));
        after = crash.now();
    }
    ASSERT_FALSE(after.empty());
    for (const Crash_states::Folder& state : after)
        EXPECT_EQ(text_of(state.at("TessarynUpgrade.xml")), head + tail);
}

TEST(Upgrade_script, a_folder_it_cannot_write_in_gives_false)
{
    Scratch_folder folder;
    folder.write("not_a_folder", {'x'});
    EXPECT_FALSE(write_upgrade_script_file(Upgrade_target_list(folder.path() + "/not_a_folder")));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"not_a_folder"});
    EXPECT_FALSE(write_upgrade_script_file(Upgrade_target_list(folder.path() + "/missing")));
}

TEST(Upgrade_script, a_write_that_fails_gives_false_and_keeps_the_old_script)
{
    Scratch_folder folder;
    Upgrade_target_list targets(folder.path());
    ASSERT_TRUE(write_upgrade_script_file(targets));
    for (int i = 0; i < 20; ++i)
        targets.add(with_identity(Known_names::get_tessaryn_io(), uint32_t(i)));
    {
        File_size_limit limit(1000);
        EXPECT_FALSE(write_upgrade_script_file(targets));
    }
    EXPECT_EQ(text_of(folder.read("TessarynUpgrade.xml")), head + tail) << "the old script stands";
    EXPECT_EQ(folder.names(), std::vector<std::string>{"TessarynUpgrade.xml"}) << "no torn file beside it";
}

// The NAMEs the script names: the slave ECU's record, and the monitor ECU's
// when monitoring is configured.
TEST(Upgrade_script, takes_the_slave_and_the_configured_monitor_ecu_from_the_store)
{
    const RAWNAME slave = Known_names::get_tessaryn_slave(21);
    const RAWNAME monitor = with_identity(Known_names::get_tessaryn_io(), 9);
    const uint64_t none = ~uint64_t(0);
    struct Case {
        const char* what;
        uint64_t record_1, record_5;
        int monitoring_config;
        std::string document;
    };
    const std::string slave_entry = firmware("Orrvan RQ-71 Aux", "tessaryn_slave_fw.hex", "false", 132, 21);
    const std::string monitor_entries = firmware("Orrvan TV-56", "tessaryn_io_fw.hex", "false", 134, 9) +
                                        firmware("Orrvan TV-56 Aux CPU", "tessaryn_io_aux_fw.hex", "false", 134, 9);
    const Case cases[] = {
        {"no slave, no monitoring", none, monitor.get_value(), 0, head + tail},
        {"the slave only without monitoring", slave.get_value(), monitor.get_value(), 0, head + slave_entry + tail},
        {"slave then monitor", slave.get_value(), monitor.get_value(), 1, head + slave_entry + monitor_entries + tail},
        {"monitoring without a monitor ECU", slave.get_value(), none, 2, head + slave_entry + tail},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scratch_folder root;
        Rooted_in rooted(root.path());
        root.make_folder("var/data/kx4/data");
        module_man manager;
        Data_store store(&manager, "1.0.0");
        NV_quvel::parameters_t parameters(&manager, 0, "PS");
        store.body.ecu_config.ecu_info[1].iso_name = c.record_1;
        store.body.ecu_config.ecu_info[5].iso_name = c.record_5;
        parameters.app.monitor_ecus.monitoring_config.set(uint8_t(c.monitoring_config));
        FS_interface iface(store, parameters);
        ASSERT_TRUE(iface.write_upgrade_script());
        EXPECT_EQ(text_of(root.read("var/data/kx4/data/TessarynUpgrade.xml")), c.document);
    }
}

}
