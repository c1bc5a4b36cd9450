// kx4 as a program, upgrading from the fake file server on the ISOBUS: the
// commands written through its test console, its slave ECU simulated.
#include "tests/app/App_fixture.h"
#include "tests/app/Kx4_driving.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Short_claims.h"
#include "tests/support/Simulated_slave_ecu.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

namespace {

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 30000;
constexpr int slave_identity = 5;

// The files of the three upgrade types on the server's volume USB1.
void serve_upgrade_files(const std::string& folder)
{
    std::filesystem::create_directories(folder + "USB1");
    std::filesystem::create_directories(folder + "USB2");
    write_bytes(folder + "USB1/tessaryn-ecu_upgrade.ipk", std::vector<uint8_t>(30000, 0x5A));
    write_bytes(folder + "USB1/tessaryn-ecu_aux_upgrade.tar.gz", std::vector<uint8_t>(20000, 0xA5));
}

TEST(Kx4_upgrade, lists_the_volumes_installs_slave_firmware_and_ends_for_an_application_package)
{
    Temp_folder root, served;
    serve_upgrade_files(served.path());
    Hub_process hub(CAN_HUB_PROGRAM, 0, 0, timeout_ms);
    ASSERT_TRUE(hub.listening()) << hub.output();
    Spawned_process server({FAKE_FILE_SERVER_PROGRAM, hub.isobus(), served.path()});
    ASSERT_TRUE(server.wait_for_output("fake_file_server: serving", timeout_ms)) << server.output();
    Short_claims short_claims;
    Simulated_slave_ecu slave(slave_identity, 0x22);
    ASSERT_TRUE(slave.start(hub.abus()));

    Spawned_process kx4({KX4_PROGRAM, "-T", "--bus=" + hub.isobus(), "--abus=" + hub.abus(), "--id=5,4"},
                        {"KX4_ROOT=" + root.path()}, Spawned_process::Input::fed);
    ASSERT_TRUE(kx4.wait_for_output("START SIM\n", timeout_ms)) << kx4.output();
    ASSERT_TRUE(kx4.wait_for_output("File server at 250 connected", timeout_ms)) << kx4.output();

    // The volume list.
    ASSERT_TRUE(kx4.write_input("set data_store.system.app_upgrade_command.command=4\n"));
    EXPECT_TRUE(server.wait_for_output("fake_file_server: read directory: 2 entries\n", timeout_ms))
        << server.output();
    EXPECT_TRUE(wait_for_answer(kx4, "get data_store.system.app_upgrade_command.command", "command = 0;"))
        << kx4.output();

    // Slave ECU firmware: read, then the script and the upgrade mode.
    ASSERT_TRUE(kx4.write_input("set data_store.system.app_upgrade_command.type=1\n"));
    ASSERT_TRUE(kx4.write_input("set data_store.fs_interface.file_name=\\\\USB1\\tessaryn-ecu_aux_upgrade.tar.gz\n"));
    ASSERT_TRUE(kx4.write_input("set data_store.system.app_upgrade_command.command=3\n"));
    ASSERT_TRUE(wait_for_answer(kx4, "get data_store.system.app_upgrade_status.state", "state = 3;"))
        << kx4.output() << server.output();
    EXPECT_TRUE(wait_for_answer(kx4, "get data_store.system.app_upgrade_status.progress", "progress = 100;"));
    EXPECT_TRUE(wait_for_answer(kx4, "get data_store.system.firmware_upgrade_mode", "firmware_upgrade_mode = 1;"));
    const std::string data = root.path() + "var/data/kx4/data/";
    EXPECT_EQ(read_bytes(data + "tessaryn-ecu_aux_upgrade.tar.gz"), std::vector<uint8_t>(20000, 0xA5));
    const std::string script = text_of(data + "TessarynUpgrade.xml");
    EXPECT_NE(script.find("<Firmware name=\"Orrvan RQ-73 Aux\" filename=\"tessaryn_slave_fw.hex\">"),
              std::string::npos)
        << script;
    EXPECT_NE(script.find("function=\"133\""), std::string::npos) << script;
    EXPECT_NE(script.find("identity_number=\"" + std::to_string(slave_identity) + "\""), std::string::npos)
        << script;

    // The application package: read, then the program ends with code 4.
    ASSERT_TRUE(kx4.write_input("set data_store.system.app_upgrade_command.command=2\n"));
    ASSERT_TRUE(wait_for_answer(kx4, "get data_store.system.app_upgrade_status.state", "state = 0;")) << kx4.output();
    ASSERT_TRUE(kx4.write_input("set data_store.system.app_upgrade_command.type=0\n"));
    ASSERT_TRUE(kx4.write_input("set data_store.fs_interface.file_name=\\\\USB1\\tessaryn-ecu_upgrade.ipk\n"));
    ASSERT_TRUE(kx4.write_input("set data_store.system.app_upgrade_command.command=3\n"));
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 4) << kx4.output();
    EXPECT_NE(kx4.output().find("\nShutdown code: 4\nWriting exit code to file: 4\n"), std::string::npos)
        << kx4.output();
    EXPECT_EQ(text_of(root.path() + "var/data/kx4/app/AppExitCode.txt"), "4");
    EXPECT_EQ(read_bytes(data + "tessaryn-ecu_upgrade.ipk"), std::vector<uint8_t>(30000, 0x5A));

    EXPECT_EQ(server.stop(SIGTERM, timeout_ms), 0) << server.output();
    EXPECT_EQ(hub.process().stop(SIGTERM, timeout_ms), 0) << hub.output();
}

}
