// An operator at the fake VT upgrading kx4 from the fake file server and
// resetting it to the factory settings, kx4 and the others run as processes.
#include "app/Parameter_file.h"
#include "tests/app/App_fixture.h"
#include "tests/app/Kx4_vt_session.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

namespace {

constexpr int wait_ms = Kx4_vt_session::wait_ms;

// From the operating screen through the settings menu to the advanced settings.
void walk_to_advanced_settings(Kx4_vt_session& session)
{
    const Seeder_pool_ids& ids = session.ids();
    ASSERT_TRUE(session.press_to(ids.main.settings_key, ids.settings_menu.mask)) << session.report();
    ASSERT_TRUE(session.press_to(ids.settings_menu.advanced_button, ids.advanced_settings_more.mask))
        << session.report();
}

// kx4 gone on its own with the code: its last words and its exit-code file;
// then the others stop in order.
void expect_ended_with(Kx4_vt_session& session, int code)
{
    EXPECT_EQ(session.kx4().wait_for_exit(wait_ms), code) << session.report();
    const std::string said = "\nShutdown code: " + std::to_string(code) + "\nWriting exit code to file: " +
                             std::to_string(code) + "\n";
    EXPECT_NE(session.kx4().output().find(said), std::string::npos) << session.report();
    EXPECT_EQ(text_of(session.root().path() + "var/data/kx4/app/AppExitCode.txt"), std::to_string(code));
    for (const char* fault : {"AddressSanitizer", "LeakSanitizer", "runtime error"})
        EXPECT_EQ(session.kx4().output().find(fault), std::string::npos) << fault << "\n" << session.report();
    EXPECT_EQ(session.vt().stop(SIGTERM, wait_ms), 0) << session.report();
    EXPECT_EQ(session.hub().process().stop(SIGTERM, wait_ms), 0) << session.report();
}

TEST(Kx4_vt_factory, an_upgrade_started_on_its_screen_reads_the_package_from_the_file_server_and_ends_kx4_with_4)
{
    Temp_folder served;
    std::filesystem::create_directories(served.path() + "USB1");
    const std::vector<uint8_t> package(30000, 0x5A);
    write_bytes(served.path() + "USB1/tessaryn-ecu_upgrade.ipk", package);

    Kx4_vt_session session({});
    Spawned_process server({FAKE_FILE_SERVER_PROGRAM, session.hub().isobus(), served.path()});
    ASSERT_TRUE(server.wait_for_output("fake_file_server: serving", wait_ms)) << server.output();
    ASSERT_TRUE(session.start()) << session.report();
    // The screen asks for the volumes when it is shown: the server must be known by then.
    ASSERT_TRUE(session.kx4().wait_for_output("File server at 250 connected", wait_ms)) << session.report();

    const Factory_upgrade_ids& upgrade = session.ids().factory_upgrade;
    walk_to_advanced_settings(session);
    ASSERT_TRUE(session.press_to(session.ids().advanced_settings.factory_upgrade_button, upgrade.mask))
        << session.report();
    EXPECT_TRUE(session.vt().wait_for_output("string " + std::to_string(upgrade.volume) + " = \"USB1", wait_ms))
        << session.report();

    // The package of the type shown first, from the volume shown.
    ASSERT_TRUE(session.acknowledge_alarms()) << session.report();
    ASSERT_TRUE(session.press(upgrade.start_key)) << session.report();
    EXPECT_TRUE(session.kx4().wait_for_output("Transferring: \\\\USB1\\tessaryn-ecu_upgrade.ipk\n", wait_ms))
        << session.report();
    expect_ended_with(session, 4);
    EXPECT_EQ(read_bytes(session.root().path() + "var/data/kx4/data/tessaryn-ecu_upgrade.ipk"), package);
    EXPECT_EQ(server.stop(SIGTERM, wait_ms), 0) << server.output();
}

TEST(Kx4_vt_factory, a_confirmed_factory_reset_saves_the_parameters_and_ends_kx4_with_3)
{
    Kx4_vt_session session({});
    ASSERT_TRUE(session.start()) << session.report();
    walk_to_advanced_settings(session);
    const Confirm_factory_reset_ids& reset = session.ids().confirm_factory_reset;
    ASSERT_TRUE(session.press_to(session.ids().advanced_settings.factory_reset_button, reset.mask))
        << session.report();

    // A setting of this run, kept in the file when kx4 has ended.
    ASSERT_TRUE(session.console("set params.app.machine_width=7"));
    ASSERT_TRUE(session.answer("get params.app.machine_width", "machine_width = 7")) << session.report();
    ASSERT_TRUE(session.acknowledge_alarms()) << session.report();
    ASSERT_TRUE(session.press(reset.confirm_key)) << session.report();
    expect_ended_with(session, 3);

    NV_quvel::parameters_t saved;
    Parameter_file file(saved, session.root().path() + "var/data/kx4/cache/");
    ASSERT_TRUE(file.load());
    EXPECT_EQ(saved.app.machine_width.get(), 7.0f);
}

}
