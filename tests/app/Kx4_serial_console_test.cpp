// kx4 with the slave processors' serial line, driven through its test console
// and a peer on the ISOBUS.
#include "platform/can/Bus_select.h"
#include "tests/app/App_fixture.h"
#include "tests/app/Kx4_driving.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <memory>
#include <sstream>

namespace {

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 20000;

TEST(Kx4_serial_console, wheel_speed_reaches_the_store_and_a_firmware_upgrade_ends_it_with_code_2)
{
    Temp_folder root;
    Hub_process hub(CAN_HUB_PROGRAM, 0, 0, timeout_ms);
    ASSERT_TRUE(hub.listening()) << hub.output();
    std::unique_ptr<Can_bus> peer(Bus_select::start(hub.isobus().c_str(), nullptr));
    ASSERT_TRUE(peer);

    const std::string link = root.path() + "slaves";
    Spawned_process slaves({FAKE_SLAVE_PROGRAM, "--link", link});
    ASSERT_TRUE(slaves.wait_for_output("fake_slave: serving", timeout_ms)) << slaves.output();
    Spawned_process kx4({KX4_PROGRAM, "-T", "--port=" + link, "--bus=" + hub.isobus(), "--abus=" + hub.abus()},
                        {"KX4_ROOT=" + root.path()}, Spawned_process::Input::fed);
    ASSERT_TRUE(kx4.wait_for_output("Starting in VT Mode\n", timeout_ms)) << kx4.output();
    EXPECT_NE(kx4.output().find("START REAL\n"), std::string::npos) << kx4.output();
    EXPECT_NE(kx4.output().find("Save runtime = 240000 ms\n"), std::string::npos) << kx4.output();

    ASSERT_TRUE(wait_for_answer(kx4, "set params.app.speed_source=4", "speed_source = 4")) << kx4.output();
    ASSERT_TRUE(peer->send(wheel_speed(1500)));
    EXPECT_TRUE(wait_for_answer(kx4, "get data_store.vehicle.gps_speed", "gps_speed = 1.5;")) << kx4.output();
    ASSERT_TRUE(peer->send(wheel_speed(0xFFFF)));
    EXPECT_TRUE(wait_for_answer(kx4, "get data_store.vehicle.gps_speed", "gps_speed = 0;"))
        << "not available reads as standing still\n"
        << kx4.output();

    const auto asked = std::chrono::steady_clock::now();
    ASSERT_TRUE(kx4.write_input("set data_store.system.firmware_upgrade_mode=1\n"));
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 2) << kx4.output();
    EXPECT_GE(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(2000));
    const std::string& said = kx4.output();
    EXPECT_NE(said.find(":Initiate firmware upgrade mode\n"), std::string::npos) << said;
    EXPECT_NE(said.find("Closing com port: " + link + "\n"), std::string::npos) << said;
    EXPECT_EQ(text_of(root.path() + "var/data/kx4/app/AppExitCode.txt"), "2");

    EXPECT_EQ(slaves.stop(SIGTERM, timeout_ms), 0) << slaves.output();
    peer.reset();
    EXPECT_EQ(hub.process().stop(SIGTERM, timeout_ms), 0) << hub.output();
}

}
