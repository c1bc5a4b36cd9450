#include "app/Parameter_file.h"
#include "app/start_up_overrides.h"
#include "platform/data/NV_Virt_listener.h"
#include "platform/io/File_util.h"
#include "tests/app/App_fixture.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>

namespace {

using NV_quvel::parameters_t;

std::string name_of(const NV_quvel::nv_name& name)
{
    char text[NV_quvel::nv_name::length + 1] = {};
    name.copy_to(text, NV_quvel::nv_name::length);
    return text;
}

// A parameter file holding num_channels = value.
std::vector<uint8_t> file_with(uint8_t value)
{
    Temp_folder folder;
    parameters_t tree;
    tree.app.num_channels.set(value);
    Parameter_file(tree, folder.path()).save();
    return read_bytes(folder.path() + "params");
}

// What the folder holds, sorted.
std::vector<std::string> names_in(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Parameter_file_test : public ::testing::Test, public App_fixture {
};

TEST_F(Parameter_file_test, a_save_writes_the_file_and_refreshes_the_backup_from_it)
{
    parameters->app.num_channels.set(5);
    parameters->app.channels[3]->name.set("Canola", 7);
    ASSERT_TRUE(parameter_file.save());
    EXPECT_EQ(read_bytes(cache + "params.bak"), read_bytes(cache + "params"));
    EXPECT_EQ(names_in(cache), (std::vector<std::string>{"params", "params.bak"}));

    parameters_t loaded(&manager, 0, "PS");
    Parameter_file other(loaded, cache);
    Debug_capture capture;
    EXPECT_TRUE(other.load());
    EXPECT_EQ(capture.text(), "params deserialise = 1\n");
    EXPECT_EQ(loaded.app.num_channels.get(), 5);
    EXPECT_EQ(name_of(loaded.app.channels[3]->name), "Canola");
}

// Each pair of files at start-up: what the load says, the value it ends
// with, and what "params" holds afterwards.
TEST_F(Parameter_file_test, a_missing_torn_or_corrupt_file_falls_back_to_the_backup_and_then_to_the_defaults)
{
    const std::vector<uint8_t> good_params = file_with(5), good_backup = file_with(7);
    std::vector<uint8_t> torn = good_params;
    torn.resize(torn.size() / 2);
    std::vector<uint8_t> corrupt = good_params;
    corrupt[corrupt.size() / 2] ^= 0x40;
    const std::vector<uint8_t> none;

    auto problem = [this](const char* file, const char* reason) {
        return "Parameter file " + cache + file + ": " + reason + "\n";
    };
    const std::string missing = "No such file or directory";
    const std::string cut_short = "its length is not the one in its header (cut short?)";
    const std::string damaged = "its checksum does not match (damaged)";
    const std::string not_readable = "NV iterator is not readable\n" + problem("params", missing.c_str());
    const std::string undecodable = "params deserialise = 0\n";
    const std::string decoded = "params deserialise = 1\n";
    const std::string restored = "Restoring from params.bak succeeded\n";
    const std::string not_restored = "Restoring from params.bak failed\n";
    const std::string defaults =
        "Neither params nor params.bak could be read: the parameters keep their factory defaults\n";
    const std::string params_kept = "The unreadable params is kept as params.damaged\n";
    const std::string backup_kept = "The unreadable params.bak is kept as params.bak.damaged\n";
    // A copy kept from an earlier start: replaced by a newer one, else left alone.
    const std::vector<uint8_t> older_damage = {'o', 'l', 'd'};
    struct Case {
        const char* what;
        const std::vector<uint8_t>& params;
        const std::vector<uint8_t>& backup;
        std::string said;
        int value;
        const std::vector<uint8_t>& params_after;
        const std::vector<uint8_t>& params_kept; // what "params.damaged" holds afterwards
        const std::vector<uint8_t>& backup_kept; // and "params.bak.damaged"
    } cases[] = {
        {"both good: params wins and stays", good_params, good_backup, decoded, 5, good_params, older_damage, none},
        {"params good, no backup", good_params, none, decoded, 5, good_params, older_damage, none},
        {"no params", none, good_backup, not_readable + restored + decoded, 7, good_backup, older_damage, none},
        {"torn params", torn, good_backup, undecodable + problem("params", cut_short.c_str()) + restored + decoded, 7,
         good_backup, older_damage, none},
        {"corrupt params", corrupt, good_backup, undecodable + problem("params", damaged.c_str()) + restored + decoded,
         7, good_backup, older_damage, none},
        {"torn params, corrupt backup", torn, corrupt,
         undecodable + problem("params", cut_short.c_str()) + not_restored + problem("params.bak", damaged.c_str()) +
             defaults + params_kept + backup_kept,
         1, none, torn, corrupt},
        {"torn params, no backup", torn, none,
         undecodable + problem("params", cut_short.c_str()) + not_restored + problem("params.bak", missing.c_str()) +
             defaults + params_kept,
         1, none, torn, none},
        {"no params, corrupt backup", none, corrupt,
         not_readable + not_restored + problem("params.bak", damaged.c_str()) + defaults + backup_kept, 1, none,
         older_damage, corrupt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(cache + "params");
        std::filesystem::remove(cache + "params.bak");
        std::filesystem::remove(cache + "params.bak.damaged");
        write_bytes(cache + "params.damaged", older_damage);
        if (!c.params.empty())
            write_bytes(cache + "params", c.params);
        if (!c.backup.empty())
            write_bytes(cache + "params.bak", c.backup);
        parameters->set_default(true);
        Debug_capture capture;
        EXPECT_EQ(parameter_file.load(), c.value != 1);
        EXPECT_EQ(capture.text(), c.said);
        EXPECT_EQ(parameters->app.num_channels.get(), c.value);
        EXPECT_EQ(read_bytes(cache + "params"), c.params_after);
        EXPECT_EQ(read_bytes(cache + "params.damaged"), c.params_kept);
        EXPECT_EQ(read_bytes(cache + "params.bak.damaged"), c.backup_kept);
        if (c.value == 1) {
            // The defaults' first save leaves the damaged copies alone.
            ASSERT_TRUE(parameter_file.save());
            EXPECT_EQ(read_bytes(cache + "params.damaged"), c.params_kept);
            EXPECT_EQ(read_bytes(cache + "params.bak.damaged"), c.backup_kept);
        }
    }
}

// Neither file there is no fault but a new controller: one line, and the
// defaults (with the start-up overrides) saved, so that the next start reads
// a file.
TEST_F(Parameter_file_test, the_first_start_says_so_once_and_saves_the_defaults_that_the_next_start_loads)
{
    apply_start_up_overrides(*parameters);
    Debug_capture capture;
    EXPECT_TRUE(parameter_file.load());
    EXPECT_EQ(capture.text(), "No parameter file in " + cache + " yet: the factory defaults are used, and saved now\n");
    ASSERT_TRUE(exists(cache + "params"));
    EXPECT_EQ(read_bytes(cache + "params.bak"), read_bytes(cache + "params"));

    parameters_t next(&manager, 0, "PS");
    Parameter_file next_start(next, cache);
    Debug_capture next_capture;
    EXPECT_TRUE(next_start.load());
    EXPECT_EQ(next_capture.text(), "params deserialise = 1\n");
    EXPECT_EQ(name_of(next.app.channels[7]->name), "Tank8");
}

// "params" is bad and the good backup cannot be put in its place: the
// backup's values are better than the defaults.
TEST_F(Parameter_file_test, a_good_backup_that_cannot_replace_params_is_read_itself)
{
    const std::vector<uint8_t> good_backup = file_with(7);
    std::vector<uint8_t> torn = file_with(5);
    torn.resize(torn.size() / 2);
    struct Case {
        const char* what;
        std::function<void()> make_params;
        bool sync_fails;
        const char* params_problem;
        const char* copy_problem;
    } cases[] = {
        {"params is a folder", [&] { std::filesystem::create_directories(cache + "params/inside"); }, false,
         "Is a directory", "cannot rename"},
        {"the disk refuses the copy", [&] { write_bytes(cache + "params", torn); }, true, "cut short",
         "cannot sync"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(cache + "params");
        c.make_params();
        write_bytes(cache + "params.bak", good_backup);
        parameters->set_default(true);
        if (c.sync_fails)
            File_util::set_sync_function([](int) {
                errno = EIO;
                return -1;
            });
        Debug_capture capture;
        EXPECT_TRUE(parameter_file.load());
        File_util::set_sync_function(nullptr);
        EXPECT_EQ(parameters->app.num_channels.get(), 7);
        const std::string& said = capture.text();
        EXPECT_NE(said.find(c.params_problem), std::string::npos) << said;
        EXPECT_NE(said.find("Restoring from params.bak failed\nIt cannot replace params (" +
                            std::string(c.copy_problem)),
                  std::string::npos)
            << said;
        EXPECT_NE(said.find("): the parameters are read from params.bak\nparams.bak deserialise = 1\n"),
                  std::string::npos)
            << said;
        EXPECT_EQ(said.find("factory defaults"), std::string::npos) << said;
        EXPECT_EQ(read_bytes(cache + "params.bak"), good_backup);
    }
}

TEST_F(Parameter_file_test, a_backup_that_restores_but_does_not_decode_is_restored_twice_and_read_no_third_time)
{
    // A sound file of another tree: it checks out, but its top item is not this tree's.
    Temp_folder other;
    parameters_t stranger(nullptr, 9, "other");
    ASSERT_TRUE(NV_store::NV_file_iterator::save(stranger, (other.path() + "params").c_str()));
    write_bytes(cache + "params.bak", read_bytes(other.path() + "params"));
    Debug_capture capture;
    EXPECT_FALSE(parameter_file.load());
    EXPECT_EQ(capture.text(), "NV iterator is not readable\n"
                              "Parameter file " + cache + "params: No such file or directory\n"
                              "Restoring from params.bak succeeded\n"
                              "params deserialise = 0\n"
                              "Parameter file " + cache + "params: it holds no parameters of this program\n"
                              "Restoring from params.bak succeeded\n"
                              "Neither params nor params.bak could be read: the parameters keep their factory defaults\n"
                              "The unreadable params is kept as params.damaged\n"
                              "The unreadable params.bak is kept as params.bak.damaged\n");
}

TEST_F(Parameter_file_test, a_failed_save_says_so_and_refreshes_no_backup)
{
    parameters->app.num_channels.set(5);
    ASSERT_TRUE(parameter_file.save());
    const std::vector<uint8_t> backup = read_bytes(cache + "params.bak");
    // A good "params" that the backup does not hold yet, and a save that cannot make its new file.
    const std::vector<uint8_t> newer = file_with(6);
    write_bytes(cache + "params", newer);
    File_util::set_sync_function([](int) {
        errno = ENOSPC;
        return -1;
    });

    parameters->app.num_channels.set(7);
    Debug_capture capture;
    EXPECT_FALSE(parameter_file.save());
    File_util::set_sync_function(nullptr);
    EXPECT_NE(capture.text().find("Saving the parameters to " + cache + "params failed: params.bak is kept"),
              std::string::npos)
        << capture.text();
    EXPECT_EQ(read_bytes(cache + "params"), newer);
    EXPECT_EQ(read_bytes(cache + "params.bak"), backup);
    EXPECT_EQ(names_in(cache), (std::vector<std::string>{"params", "params.bak"})) << "the new file stays behind";
}

TEST_F(Parameter_file_test, overrides_go_in_before_the_load_so_the_file_values_win)
{
    parameters->app.channels[0]->name.set("Wheat", 6);
    parameters->app.alarms.tank_low[2]->threshold.set(12.5f);
    parameters->app.fans[0]->enabled.set(false);
    ASSERT_TRUE(parameter_file.save());

    parameters_t fresh(&manager, 0, "PS");
    apply_start_up_overrides(fresh);
    EXPECT_EQ(name_of(fresh.app.channels[0]->name), "Tank1");
    EXPECT_TRUE(fresh.app.fans[0]->enabled.get());
    Parameter_file file(fresh, cache);
    ASSERT_TRUE(file.load());
    EXPECT_EQ(name_of(fresh.app.channels[0]->name), "Wheat");
    EXPECT_EQ(fresh.app.alarms.tank_low[2]->threshold.get(), 12.5f);
    EXPECT_FALSE(fresh.app.fans[0]->enabled.get());
}

// Counts the change events of one parameter.
class Reset_listener {
public:
    explicit Reset_listener(parameters_t& tree) { listener_.init(&tree.app.num_channels); }
    NV_store::Virt_listener<Reset_listener> listener_{this};
    int events = 0;
    void handle_nv_listener_event(NV_store::Virt_access*) { ++events; }
};

TEST_F(Parameter_file_test, a_reset_brings_back_the_factory_table_tells_the_listeners_and_saves)
{
    apply_start_up_overrides(*parameters);
    parameters->app.num_channels.set(9);
    parameters->app.channels[0]->name.set("Wheat", 6);
    parameters->app.channels[8]->name.set("Spare", 6);
    parameters->app.alarms.tank_low[9]->threshold.set(1.0f);
    parameters->app.alarms.down_force_off_master_on.enabled.set(true);
    parameters->app.booms.num_booms.set(3);
    parameters->system.non_vtt_connected.set(true);
    Reset_listener listener(*parameters);
    listener.listener_.autoreg(waiter, false);

    Debug_capture capture;
    parameter_file.reset(false);
    EXPECT_NE(capture.text().find("Reset params with non_vtt_mode = 0\n"), std::string::npos);

    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(name_of(parameters->app.channels[i]->name), "Tank" + std::to_string(i + 1));
    EXPECT_EQ(name_of(parameters->app.channels[8]->name), "");
    const struct {
        const char* path;
        const char* value;
    } rows[] = {
        {"app/num_channels", "1"},
        {"app/fans/0/enabled", "1"},
        {"app/fans/1/enabled", "0"},
        {"app/booms/num_booms", "0"},
        {"app/booms/booms/0/num_sections", "0"},
        {"app/machine_geometry/connector_offset/x", "1"},
        {"app/alarms/fan_pressure_low/3/delay_count", "4"},
        {"app/alarms/fan_sensor_fail/0/enabled", "1"},
        {"app/alarms/tank_low/0/threshold", "5"},
        {"app/alarms/tank_low/9/threshold", "5"},
        {"app/alarms/tank_low/9/limit_count", "3"},
        {"app/alarms/tank_empty/4/delay_count", "1"},
        {"app/alarms/temperature/threshold", "95"},
        {"app/alarms/tank_alt_rate_in_use/9/delay_count", "20"},
        {"app/alarms/tank_incorrect_rate/0/delay_count", "5"},
        {"app/alarms/blocked_head/delay_count", "3"},
        {"app/alarms/pump_speed_high/3/enabled", "1"},
        {"app/alarms/master_on_tillage_off/delay_count", "25"},
        {"app/alarms/down_force_off_master_on/enabled", "0"},
        {"app/alarms/hydraulic_pressure_low/enabled", "0"},
        {"system/non_vtt_connected", "0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        const NV_store::NV_item* item = parameters->_search(row.path, '/');
        ASSERT_NE(item, nullptr);
        char text[32] = {};
        item->_to_string(text, sizeof text);
        EXPECT_TRUE(*item == row.value) << "holds " << text;
    }

    waiter_event event;
    while (waiter.poll(event))
        event.listener->handle_listener_event(event);
    EXPECT_EQ(listener.events, 1); // set silently, then told once
    parameters_t on_disk(&manager, 0, "PS");
    ASSERT_TRUE(Parameter_file(on_disk, cache).load());
    EXPECT_FALSE(on_disk.system.non_vtt_connected.get());
    EXPECT_EQ(on_disk.app.num_channels.get(), 1);
    EXPECT_EQ(read_bytes(cache + "params.bak"), read_bytes(cache + "params"));
}

TEST_F(Parameter_file_test, a_folder_that_cannot_be_made_is_reported)
{
    write_bytes(folder.path() + "file", {1});
    Parameter_file blocked(*parameters, folder.path() + "file/cache/");
    Debug_capture capture;
    EXPECT_FALSE(blocked.create_folder());
    EXPECT_NE(capture.text().find("Cannot create the parameter folder " + folder.path() + "file/cache/"),
              std::string::npos)
        << capture.text();
    EXPECT_NE(capture.text().find("the parameters cannot be saved"), std::string::npos);

    Parameter_file fresh(*parameters, folder.path() + "new/deeper/");
    EXPECT_TRUE(fresh.create_folder());
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() + "new/deeper"));
}

}
