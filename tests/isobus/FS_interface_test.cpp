// The upgrade commands against the fake file server on the in-process bus.
#include "data_store/Data_store.h"
#include "isobus/Command_fs_client.h"
#include "isobus/FS_interface.h"
#include "params/parameters_t.h"
#include "platform/can/Known_names.h"
#include "platform/rtos/module_man.h"
#include "tests/isobus/Fs_bench.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char* const data_dir = "var/data/kx4/data";

// A server with the three upgrade files on volume USB1, an interface on the
// client, and a data store with parameters of its own.
struct Upgrade_bench {
    Scratch_folder served;
    Scratch_folder local;
    Rooted_in rooted{local.path()};
    module_man manager;
    Data_store store{&manager, "1.0.0"};
    NV_quvel::parameters_t parameters{&manager, 0, "PS"};
    std::unique_ptr<Fs_bench> f;
    std::unique_ptr<FS_interface> fsi;

    explicit Upgrade_bench(void (*set)(Fake_file_server::Settings&) = nullptr)
    {
        served.make_folder("USB1");
        served.make_folder("USB2");
        for (uint8_t type = 0; type < 3; ++type)
            served.write(std::string("USB1/") + FS_interface::upgrade_file_name(type), test_pattern(20000 + type));
        Fake_file_server::Settings settings;
        settings.folder = served.path();
        if (set)
            set(settings);
        f = std::make_unique<Fs_bench>(settings);
        fsi = std::make_unique<FS_interface>(store, parameters);
        f->use(*fsi);
        store.body.ecu_config.ecu_info[1].iso_name = Known_names::get_tessaryn_slave(21).get_value();
    }
    ~Upgrade_bench() { fsi.reset(); }

    // The command as the screen writes it, then carried out.
    void command(uint8_t command, uint8_t type = 1)
    {
        store.head.set(store.body.system.app_upgrade_command.type, type);
        char path[80] = {};
        if (const char* file = FS_interface::upgrade_file_name(type))
            std::snprintf(path, sizeof path, "\\\\USB1\\%s", file);
        store.head.set(store.body.fs_interface.file_name, path);
        store.head.set(store.body.system.app_upgrade_command.command, command);
        fsi->handle_command(command);
        f->settle();
    }
    const ds_system& system() const { return store.body.system; }
    int state() const { return system().app_upgrade_status.state; }
    int result() const { return system().app_upgrade_status.error_state; }
    int progress() const { return system().app_upgrade_status.progress; }
    std::vector<std::string> local_files() const { return local.names(data_dir); }
    std::vector<std::string> volumes() const
    {
        std::vector<std::string> out;
        for (const ds_fs_volume& v : store.body.internal.fs_volume_info.fs_volume)
            out.push_back(std::string(v.volume_name, strnlen(v.volume_name, sizeof v.volume_name)));
        return out;
    }
};

struct Command_case {
    const char* what;
    int state_before;
    uint8_t command;
    bool connected;
    uint8_t type;
    int state, result, progress;
    bool upgrade_mode;
    int shutdown;
    std::vector<std::string> files; // in the data folder afterwards
};

const Command_case command_cases[] = {
    {"download: read, no install", 0, 1, true, 1, 4, 3, 100, false, 0, {"tessaryn-ecu_aux_upgrade.tar.gz"}},
    {"download and install type 1: the script and the upgrade mode", 4, 3, true, 1, 3, 0, 100, true, 0,
     {"TessarynUpgrade.xml", "tessaryn-ecu_aux_upgrade.tar.gz"}},
    {"install type 0: shutdown 4", 0, 3, true, 0, 3, 0, 100, false, 4, {"tessaryn-ecu_upgrade.ipk"}},
    {"install type 2: shutdown 8", 0, 3, true, 2, 3, 0, 100, false, 8, {"tessaryn-ecu_adv_upgrade.tar.gz"}},
    {"an unknown type reads nothing and waits", 0, 3, true, 7, 1, 0, 0, false, 0, {}},
    {"no server: result 1", 0, 3, false, 1, 4, 1, 0, false, 0, {}},
    {"no server from finished: result 1", 4, 1, false, 1, 4, 1, 0, false, 0, {}},
    {"ignored while reading", 1, 3, true, 1, 1, 0, 0, false, 0, {}},
    {"ignored while read", 2, 1, true, 1, 2, 0, 0, false, 0, {}},
    {"ignored while installing", 3, 3, true, 1, 3, 0, 0, false, 0, {}},
    {"cancel when idle", 0, 2, true, 1, 0, 0, 0, false, 0, {}},
    {"cancel when finished", 4, 2, true, 1, 0, 0, 0, false, 0, {}},
    {"an unknown command", 0, 9, true, 1, 0, 0, 0, false, 0, {}},
};

TEST(FS_interface, commands_by_state_connection_and_type)
{
    for (const Command_case& c : command_cases) {
        SCOPED_TRACE(c.what);
        Upgrade_bench b;
        if (c.connected) {
            ASSERT_TRUE(b.f->connect());
        }
        b.fsi->set_state(c.state_before);
        b.command(c.command, c.type);
        EXPECT_EQ(b.state(), c.state);
        EXPECT_EQ(b.fsi->get_state(), c.state);
        EXPECT_EQ(b.result(), c.result);
        EXPECT_EQ(b.progress(), c.progress);
        EXPECT_EQ(b.system().firmware_upgrade_mode, c.upgrade_mode);
        EXPECT_EQ(b.system().initiate_shutdown, c.shutdown);
        EXPECT_EQ(b.system().app_upgrade_command.command, 0) << "every command is taken";
        EXPECT_EQ(b.local_files(), c.files);
    }
}

TEST(FS_interface, cancel_while_reading_stops_the_transfer_and_goes_idle)
{
    Upgrade_bench b;
    ASSERT_TRUE(b.f->connect());
    b.store.head.set(b.store.body.system.app_upgrade_command.type, uint8_t(1));
    char path[80] = "\\\\USB1\\tessaryn-ecu_aux_upgrade.tar.gz";
    b.store.head.set(b.store.body.fs_interface.file_name, path);
    b.fsi->handle_command(FS_interface::download_and_install);
    EXPECT_EQ(b.state(), FS_interface::reading);
    b.fsi->handle_command(FS_interface::cancel); // before the server's first answer
    b.f->settle();
    EXPECT_EQ(b.state(), FS_interface::idle);
    EXPECT_EQ(b.fsi->get_operation(), FS::FS_client_interface::op_none);
    EXPECT_TRUE(b.local_files().empty());
    EXPECT_FALSE(b.system().firmware_upgrade_mode);
}

TEST(FS_interface, a_download_right_after_a_volume_listing_is_not_held_up_by_it)
{
    Upgrade_bench b;
    ASSERT_TRUE(b.f->connect());
    b.fsi->handle_command(FS_interface::list_volumes);
    EXPECT_EQ(b.fsi->get_operation(), FS::FS_client_interface::op_dir_read);
    b.command(FS_interface::download_and_install); // before the listing's answers
    EXPECT_EQ(b.state(), FS_interface::installing);
    EXPECT_TRUE(b.system().firmware_upgrade_mode);
}

TEST(FS_interface, an_empty_location_is_the_server_s_to_refuse)
{
    Upgrade_bench b;
    ASSERT_TRUE(b.f->connect());
    b.command(FS_interface::download_and_install, 1);
    char empty[80] = {};
    b.store.head.set(b.store.body.fs_interface.file_name, empty);
    b.fsi->set_state(FS_interface::idle);
    b.fsi->handle_command(FS_interface::download);
    b.f->settle();
    EXPECT_EQ(b.state(), FS_interface::finished);
    EXPECT_EQ(b.result(), FS_interface::server_error);
    EXPECT_EQ(b.store.body.fs_interface.error, 4);
}

TEST(FS_interface, progress_is_ninety_percent_of_the_bytes_read_and_zero_without_a_total)
{
    Upgrade_bench b;
    b.fsi->set_state(FS_interface::reading);
    const struct {
        uint32_t done, total;
        int progress;
    } cases[] = {
        {0, 0, 0}, {5, 0, 0}, {50, 100, 45}, {99, 100, 89}, {100, 100, 90},
        {3000000000u, 4000000000u, 67}, // 90 x done passes 32 bits
    };
    for (const auto& c : cases) {
        b.fsi->set_progress(c.done, c.total, false);
        EXPECT_EQ(b.progress(), c.progress) << c.done << " of " << c.total;
    }
    b.fsi->set_state(FS_interface::idle);
    b.fsi->set_progress(1, 2, false);
    EXPECT_EQ(b.progress(), 67) << "only a read in progress moves it";
}

TEST(FS_interface, the_volume_list_keeps_five_names_cut_at_a_slash_and_the_full_count)
{
    Upgrade_bench b([](Fake_file_server::Settings& s) {
        s.extra_volumes = {"SD/CARD", "ABCDEFGHIJKLMNOPQRSTUVWXY", "V5", "V6", "V7"};
    });
    ASSERT_TRUE(b.f->connect());
    b.command(FS_interface::list_volumes);
    EXPECT_EQ(b.store.body.internal.fs_volume_info.num_volumes, 7u);
    EXPECT_EQ(b.volumes(), (std::vector<std::string>{"USB1", "USB2", "SD", "ABCDEFGHIJKLMNOPQRS", "V5"}));
    EXPECT_EQ(b.state(), FS_interface::idle) << "a listing is no upgrade";
    EXPECT_EQ(b.result(), 0);
}

TEST(FS_interface, a_server_of_manufacturer_33_with_an_empty_root_has_the_volume_cfcard)
{
    Upgrade_bench b([](Fake_file_server::Settings& s) {
        s.manufacturer = 33;
        s.empty_root = true;
    });
    ASSERT_TRUE(b.f->connect());
    Debug_capture output;
    b.command(FS_interface::list_volumes);
    EXPECT_EQ(b.store.body.internal.fs_volume_info.num_volumes, 1u);
    EXPECT_EQ(b.volumes()[0], "CFCARD");
    EXPECT_NE(output.text().find("File server of manufacturer 33 detected: assuming volume name = CFCARD\n"),
              std::string::npos)
        << output.text();
    EXPECT_EQ(b.state(), FS_interface::idle);
}

TEST(FS_interface, an_empty_root_of_another_server_lists_no_volumes)
{
    Upgrade_bench b([](Fake_file_server::Settings& s) { s.empty_root = true; });
    ASSERT_TRUE(b.f->connect());
    b.command(FS_interface::list_volumes);
    EXPECT_EQ(b.store.body.internal.fs_volume_info.num_volumes, 0u);
    EXPECT_EQ(b.volumes()[0], "");
}

TEST(FS_interface, a_server_error_finishes_with_result_2_and_publishes_the_code)
{
    Upgrade_bench b([](Fake_file_server::Settings& s) { s.error_at = 10000; });
    ASSERT_TRUE(b.f->connect());
    b.command(FS_interface::download_and_install);
    EXPECT_EQ(b.state(), FS_interface::finished);
    EXPECT_EQ(b.result(), FS_interface::server_error);
    EXPECT_EQ(b.store.body.fs_interface.error, 11);
    EXPECT_FALSE(b.system().firmware_upgrade_mode);
    EXPECT_TRUE(b.local_files().empty());

    // The next command starts afresh: the server's error is cleared with the status.
    b.served.write("USB1/tessaryn-ecu_aux_upgrade.tar.gz", {1, 2, 3});
    b.command(FS_interface::download);
    EXPECT_EQ(b.result(), FS_interface::read_only);
    EXPECT_EQ(b.store.body.fs_interface.error, 0);
}

TEST(FS_interface, a_server_lost_while_reading_finishes_with_result_1_at_the_next_check)
{
    Upgrade_bench b([](Fake_file_server::Settings& s) { s.silent_at = 9000; });
    ASSERT_TRUE(b.f->connect());
    b.command(FS_interface::download_and_install);
    EXPECT_EQ(b.state(), FS_interface::reading);
    int checks = 0;
    while (b.state() == FS_interface::reading && checks < 20) {
        b.f->run_for(1000);
        b.fsi->check_connection();
        ++checks;
    }
    EXPECT_GE(checks, 4) << "not before the server is lost";
    EXPECT_LE(checks, 8);
    EXPECT_EQ(b.state(), FS_interface::finished);
    EXPECT_EQ(b.result(), FS_interface::no_server);
    EXPECT_TRUE(b.local_files().empty());
}

TEST(FS_interface, a_file_name_without_terminator_is_read_as_79_characters)
{
    Upgrade_bench b;
    ASSERT_TRUE(b.f->connect());
    char name[80];
    std::memset(name, 'A', sizeof name);
    b.store.head.set(b.store.body.fs_interface.file_name, name);
    b.store.head.set(b.store.body.system.app_upgrade_command.type, uint8_t(1));
    b.fsi->handle_command(FS_interface::download);
    b.f->settle();
    EXPECT_NE(std::find(b.f->lines.begin(), b.f->lines.end(), "open " + std::string(79, 'A') + ": not found"),
              b.f->lines.end())
        << testing::PrintToString(b.f->lines);
    EXPECT_EQ(b.result(), FS_interface::server_error);
    EXPECT_EQ(b.store.body.fs_interface.error, 4);
}

TEST(FS_interface, a_script_that_cannot_be_written_finishes_with_result_4)
{
    Upgrade_bench b;
    b.served.write("USB1/tessaryn-ecu_aux_upgrade.tar.gz", {1, 2, 3});
    ASSERT_TRUE(b.f->connect());
    {
        File_size_limit limit(100); // the file fits, the script does not
        b.command(FS_interface::download_and_install);
    }
    EXPECT_EQ(b.state(), FS_interface::finished);
    EXPECT_EQ(b.result(), FS_interface::script_failed);
    EXPECT_FALSE(b.system().firmware_upgrade_mode);
    EXPECT_EQ(b.local_files(), std::vector<std::string>{"tessaryn-ecu_aux_upgrade.tar.gz"});
}

// The task: the command item's change reaches the interface, the clear that
// follows is no command, and the check runs every second.
TEST(Command_fs_client, takes_the_command_from_the_store_and_checks_the_server_every_second)
{
    Scratch_folder local;
    Rooted_in rooted(local.path());
    Zev_bench bench;
    Zev_bench::Node& node = bench.add_claimed_node(Known_names::get_seeder(1), 0x80);
    module_man manager;
    Data_store store(&manager, "1.0.0");
    NV_quvel::parameters_t parameters(&manager, 0, "PS");
    Command_fs_client task(nullptr, store, parameters);
    ASSERT_TRUE(task.init(&manager, &node.stack, Known_names::get_seeder(1)));
    EXPECT_TRUE(local.exists(data_dir)) << "the local file space is made";

    store.head.set(store.body.system.app_upgrade_command.command, uint8_t(3));
    int ran = task.run_pending();
    ran += task.run_pending();
    EXPECT_EQ(ran, 2) << "the command, then its clear";
    EXPECT_EQ(task.run_pending(), 0);
    EXPECT_EQ(store.body.system.app_upgrade_command.command, 0);
    EXPECT_EQ(store.body.system.app_upgrade_status.state, FS_interface::finished);
    EXPECT_EQ(store.body.system.app_upgrade_status.error_state, FS_interface::no_server);

    task.get_interface()->set_state(FS_interface::installing);
    store.head.set(store.body.system.app_upgrade_status.error_state, uint8_t(0));
    bench.run_for(900);
    task.run_pending();
    EXPECT_EQ(store.body.system.app_upgrade_status.state, FS_interface::installing);
    bench.run_for(150);
    task.run_pending();
    EXPECT_EQ(store.body.system.app_upgrade_status.state, FS_interface::finished);
    EXPECT_EQ(store.body.system.app_upgrade_status.error_state, FS_interface::no_server);
}

}
