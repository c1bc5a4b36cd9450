// The factory upgrade screen driving the file-server client task and its
// interface against the fake file server on the in-process bus.
#include "isobus/Command_fs_client.h"
#include "isobus/FS_interface.h"
#include "platform/iso/FS_client.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "tests/isobus/Fs_bench.h"
#include "tests/support/Debug_capture.h"
#include "tests/ui/Seeder_screens_fixture.h"
#include "ui/screens/FactoryUpgradeMask.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace {

const std::string main_file = "tessaryn-ecu_upgrade.ipk";
const std::string aux_file = "tessaryn-ecu_aux_upgrade.tar.gz";
const std::string advanced_file = "tessaryn-ecu_adv_upgrade.tar.gz";

// The screens with the file-server task of the program on one bus with a
// server serving volumes USB1 (the three upgrade files) and USB2 (the main one).
class Factory_upgrade : public Seeder_screens {
protected:
    void SetUp() override
    {
        served.make_folder("USB1");
        served.make_folder("USB2");
        for (const std::string& file : {main_file, aux_file, advanced_file})
            served.write("USB1/" + file, std::vector<uint8_t>(3000, 0x5A));
        served.write("USB2/" + main_file, std::vector<uint8_t>(2000, 0xA5));
        settings.folder = served.path();
        server = std::make_unique<Fake_file_server>(server_node.stack, settings,
                                                    [this](const std::string& line) { lines.push_back(line); });
        ASSERT_TRUE(server->init(&rig.modules, 0xF0));
        client = new FS::FS_client(&rig.modules);
        task = std::make_unique<Command_fs_client>(client, rig.store, rig.parameters);
        ASSERT_TRUE(task->init(&rig.modules, &client_node.stack, Known_names::get_seeder(1)));
        // Everything runs on the test's thread, the client too.
        client->terminate(1, 1000);
        Seeder_screens::SetUp();
        for (int t = 0; t < 10000 && !task->get_interface()->is_server_connected(); t += 50)
            run_for(50);
        ASSERT_TRUE(task->get_interface()->is_server_connected());
    }
    void TearDown() override
    {
        task.reset();
        server.reset();
    }

    void settle()
    {
        for (int ran = 1; ran > 0;) {
            bench.settle();
            ran = rig.ui.run_pending() + client->run_pending() + server->run_pending() + task->run_pending();
        }
    }
    void run_for(int ms)
    {
        for (int t = 0; t < ms; t += 5) {
            bench.run_for(5);
            settle();
        }
    }
    // Shows the screen and lets the client answer its volume request.
    void enter()
    {
        show("factory_upgrade_mask");
        settle();
    }
    // What the five key places show.
    std::vector<uint16_t> key_places()
    {
        std::vector<uint16_t> shown;
        for (const Pointer_id& slot : ids.factory_upgrade.key_slots)
            shown.push_back(pointer_value(slot));
        return shown;
    }
    std::vector<uint16_t> choosing_keys() const
    {
        const Factory_upgrade_ids& f = ids.factory_upgrade;
        return {f.advanced_key, f.main_key, f.volume_key, f.start_key, 0xFFFF};
    }
    std::string file_name() const
    {
        const char* name = rig.store.body.fs_interface.file_name;
        return std::string(name, strnlen(name, sizeof rig.store.body.fs_interface.file_name));
    }
    bool server_opened(const std::string& path) const
    {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.rfind("open " + path + ": handle", 0) == 0; });
    }
    FactoryUpgradeMask& screen()
    {
        return dynamic_cast<FactoryUpgradeMask&>(*rig.man().find_screen("factory_upgrade_mask"));
    }
    const ds_system& system() const { return rig.store.body.system; }

    Scratch_folder served;
    Scratch_folder local;
    Rooted_in rooted{local.path()};
    Zev_bench bench;
    Zev_bench::Node& client_node = bench.add_claimed_node(Known_names::get_seeder(1), 0x80);
    Zev_bench::Node& server_node = bench.add_node();
    Fake_file_server::Settings settings;
    std::vector<std::string> lines; // the fake server's
    std::unique_ptr<Fake_file_server> server;
    FS::FS_client* client = nullptr; // the task's
    std::unique_ptr<Command_fs_client> task;
};

}

TEST_F(Factory_upgrade, every_activation_asks_for_the_volume_list_and_shows_the_first_volume)
{
    rig.probe.follow(&rig.store.body.system.app_upgrade_command, sizeof(ds_app_upgrade_command));
    for (int visit = 0; visit < 2; ++visit) {
        show("advanced_settings_mask");
        rig.probe.take_changes();
        show("factory_upgrade_mask");
        EXPECT_EQ(rig.changes_of(system().app_upgrade_command.command).size(), 1u);
        EXPECT_EQ(system().app_upgrade_command.command, FactoryUpgradeMask::list_volumes_command);
        settle();
        EXPECT_EQ(system().app_upgrade_command.command, 0) << "taken by the client";
        EXPECT_EQ(rig.store.body.internal.fs_volume_info.num_volumes, 2u);
        EXPECT_EQ(text(ids.factory_upgrade.volume), "USB1");
        EXPECT_EQ(text(ids.factory_upgrade.state), "Idle");
        EXPECT_EQ(text(ids.factory_upgrade.error), "None");
        EXPECT_EQ(text(ids.factory_upgrade.instruction),
                  "Ensure " + main_file + " is available on the FS Volume, then press Start.");
        EXPECT_EQ(key_places(), choosing_keys());
    }
}

TEST_F(Factory_upgrade, with_two_volumes_the_toggle_goes_0_1_0)
{
    enter();
    for (const char* volume : {"USB2", "USB1", "USB2"}) {
        press(ids.factory_upgrade.volume_key);
        settle();
        EXPECT_EQ(text(ids.factory_upgrade.volume), volume);
    }
}

TEST_F(Factory_upgrade, start_reads_the_main_file_from_the_selected_volume_and_the_client_asks_for_shutdown_4)
{
    enter();
    press(ids.factory_upgrade.volume_key);
    settle();
    Debug_capture debug;
    press(ids.factory_upgrade.start_key);
    const std::string path = "\\\\USB2\\" + main_file;
    EXPECT_EQ(file_name(), path);
    EXPECT_EQ(system().app_upgrade_command.command, FactoryUpgradeMask::start_command);
    EXPECT_NE(debug.text().find("NEXT STEP: 1\nTransferring: " + path + "\n"), std::string::npos) << debug.text();
    EXPECT_EQ(screen().get_step(), 1u);
    settle();
    EXPECT_TRUE(server_opened(path)) << testing::PrintToString(lines);
    EXPECT_EQ(system().app_upgrade_status.state, FS_interface::installing);
    EXPECT_EQ(system().initiate_shutdown, 4);
    EXPECT_EQ(text(ids.factory_upgrade.state), "Upgrading");
    EXPECT_EQ(state<VT::Output_number_obj>(ids.factory_upgrade.progress, [](auto& o) { return o.get_value(); }), 100u);
    EXPECT_EQ(key_places(), (std::vector<uint16_t>{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, ids.factory_upgrade.stop_key}));
    EXPECT_EQ(text(ids.factory_upgrade.instruction), "To stop the upgrade, press Stop.");
}

TEST_F(Factory_upgrade, a_type_change_names_its_file_at_once_and_the_next_start_reads_that_file)
{
    enter();
    pick(ids.factory_upgrade.type_list, 2);
    EXPECT_EQ(system().app_upgrade_command.type, 2);
    EXPECT_EQ(text(ids.factory_upgrade.instruction),
              "Ensure " + advanced_file + " is available on the FS Volume, then press Start.");
    settle();
    press(ids.factory_upgrade.start_key);
    EXPECT_EQ(file_name(), "\\\\USB1\\" + advanced_file);
    settle();
    EXPECT_TRUE(server_opened("\\\\USB1\\" + advanced_file)) << testing::PrintToString(lines);
    EXPECT_EQ(system().initiate_shutdown, 8);

    pick(ids.factory_upgrade.type_list, 3); // no such type
    EXPECT_EQ(system().app_upgrade_command.type, 2);
}

TEST_F(Factory_upgrade, the_longest_volume_and_file_names_give_a_terminated_path_in_one_event_and_spare_the_neighbours)
{
    enter();
    pick(ids.factory_upgrade.type_list, 1); // the longest file name
    settle();
    // A volume name that fills its 20 characters, without terminator.
    ds_fs_volume& volume = rig.store.body.internal.fs_volume_info.fs_volume[0];
    char twenty[20];
    std::memcpy(twenty, "ABCDEFGHIJKLMNOPQRST", 20);
    rig.store.head.set(volume.volume_name, twenty);
    uint8_t signature[16];
    std::memset(signature, 0xA5, sizeof signature);
    rig.store.head.set(rig.store.body.fs_interface.signature, signature);
    rig.store.head.set(rig.store.body.fs_interface.error, int32_t(77));
    rig.probe.follow(&rig.store.body.fs_interface, sizeof rig.store.body.fs_interface);

    press(ids.factory_upgrade.start_key);

    EXPECT_EQ(file_name(), "\\\\ABCDEFGHIJKLMNOPQRST\\" + aux_file);
    EXPECT_EQ(rig.changes_of(rig.store.body.fs_interface.file_name).size(), 1u);
    EXPECT_EQ(std::memcmp(rig.store.body.fs_interface.signature, signature, sizeof signature), 0);
    EXPECT_EQ(rig.store.body.fs_interface.error, 77);
}

TEST_F(Factory_upgrade, a_failed_upgrade_offers_only_continue_which_returns_to_choosing)
{
    std::filesystem::remove(served.path() + "/USB1/" + main_file); // the server says not found
    enter();
    press(ids.factory_upgrade.start_key);
    settle();
    EXPECT_EQ(system().app_upgrade_status.state, FS_interface::finished);
    EXPECT_EQ(text(ids.factory_upgrade.state), "Failed");
    EXPECT_EQ(text(ids.factory_upgrade.error), "File not found");
    EXPECT_EQ(text(ids.factory_upgrade.instruction), "Upgrade failed, press Continue.");
    EXPECT_EQ(key_places(), (std::vector<uint16_t>{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, ids.factory_upgrade.continue_key}));

    press(ids.factory_upgrade.continue_key);
    EXPECT_EQ(screen().get_step(), 0u);
    EXPECT_EQ(key_places(), choosing_keys());
}

namespace {

// The server holds every request until it is no longer busy.
class Busy_server : public Factory_upgrade {
protected:
    void SetUp() override
    {
        Factory_upgrade::SetUp();
        enter();
        server->set_busy(true);
    }
};

}

TEST_F(Busy_server, while_transferring_only_stop_is_offered_and_stop_gives_command_2)
{
    press(ids.factory_upgrade.start_key);
    settle();
    EXPECT_EQ(system().app_upgrade_status.state, FS_interface::reading);
    EXPECT_EQ(text(ids.factory_upgrade.state), "Transferring");
    EXPECT_EQ(key_places(), (std::vector<uint16_t>{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, ids.factory_upgrade.stop_key}));

    Debug_capture debug;
    press(ids.factory_upgrade.stop_key);
    EXPECT_EQ(system().app_upgrade_command.command, FactoryUpgradeMask::stop_command);
    EXPECT_NE(debug.text().find("NEXT STEP: 0\n"), std::string::npos);
    settle();
    EXPECT_EQ(system().app_upgrade_status.state, FS_interface::idle);
    EXPECT_EQ(text(ids.factory_upgrade.state), "Idle");
    EXPECT_EQ(key_places(), choosing_keys());
}

namespace {

// The server lists seven volumes; the client keeps five names.
class Seven_volumes : public Factory_upgrade {
protected:
    Seven_volumes() { settings.extra_volumes = {"V3", "V4", "V5", "V6", "V7"}; }
};

}

TEST_F(Seven_volumes, the_toggle_goes_over_the_five_kept_and_a_shrunk_list_goes_back_to_the_first)
{
    enter();
    ASSERT_EQ(rig.store.body.internal.fs_volume_info.num_volumes, 7u);
    for (const char* volume : {"USB2", "V3", "V4", "V5", "USB1", "USB2", "V3", "V4", "V5"}) {
        press(ids.factory_upgrade.volume_key);
        settle();
        EXPECT_EQ(text(ids.factory_upgrade.volume), volume);
    }
    ASSERT_EQ(screen().get_volume_index(), 4u);

    // The next listing has two volumes only.
    rig.store.head.set(rig.store.body.internal.fs_volume_info.num_volumes, uint32_t(2));
    rig.store.head.set(rig.store.body.system.app_upgrade_status.state, uint8_t(0));
    rig.pump();
    EXPECT_EQ(screen().get_volume_index(), 0u);
    EXPECT_EQ(text(ids.factory_upgrade.volume), "USB1");
}

namespace {

// A server whose root lists no volume.
class No_volume : public Factory_upgrade {
protected:
    No_volume() { settings.empty_root = true; }
};

}

TEST_F(No_volume, the_volume_shows_none_available_and_the_path_is_the_file_name_after_two_backslashes)
{
    enter();
    EXPECT_EQ(text(ids.factory_upgrade.volume), "None Available");
    press(ids.factory_upgrade.volume_key);
    settle();
    EXPECT_EQ(screen().get_volume_index(), 0u);
    press(ids.factory_upgrade.start_key);
    EXPECT_EQ(file_name(), "\\\\" + main_file);
}
