// kx4 on the serial line with monitor ECUs 57 and 68 answering: the
// auto-detect walk finds them, the normal cycle then reads them; and an
// alarm raised from the machine's state, driven through the test console
// and a speed on the ISOBUS.
#include "platform/can/Bus_select.h"
#include "tests/app/App_fixture.h"
#include "tests/app/Kx4_driving.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <map>
#include <memory>
#include <sstream>

namespace {

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 20000;

// Reads the fake's log until a request to the address with one of the
// commands; counts every setup request (command 9) on the way.
bool wait_for_request(Spawned_process& slaves, int address, std::initializer_list<int> commands,
                      std::map<int, int>& setups)
{
    std::string line;
    while (slaves.read_line(line, timeout_ms)) {
        for (int a : {57, 68, 69, 70, 71})
            if (line.find("request to " + std::to_string(a) + " command 9:") != std::string::npos)
                ++setups[a];
        for (int c : commands)
            if (line.find("request to " + std::to_string(address) + " command " + std::to_string(c) + ":") !=
                std::string::npos)
                return true;
    }
    return false;
}

TEST(Kx4_monitor_alarm, auto_detect_finds_the_answering_monitor_ecus_and_a_channel_without_rate_raises_its_alarm)
{
    Temp_folder root;
    Hub_process hub(CAN_HUB_PROGRAM, 0, 0, timeout_ms);
    ASSERT_TRUE(hub.listening()) << hub.output();
    std::unique_ptr<Can_bus> peer(Bus_select::start(hub.isobus().c_str(), nullptr));
    ASSERT_TRUE(peer);

    const std::string link = root.path() + "slaves";
    Spawned_process slaves({FAKE_SLAVE_PROGRAM, "--link", link, "--silent", "69,70,71"});
    ASSERT_TRUE(slaves.wait_for_output("fake_slave: serving", timeout_ms)) << slaves.output();
    Spawned_process kx4({KX4_PROGRAM, "-T", "--port=" + link, "--bus=" + hub.isobus(), "--abus=" + hub.abus()},
                        {"KX4_ROOT=" + root.path()}, Spawned_process::Input::fed);
    ASSERT_TRUE(kx4.wait_for_output("Starting in VT Mode\n", timeout_ms)) << kx4.output();

    // Detection: three setup requests to each silent monitor ECU, then the
    // walk reads the two that answered.
    ASSERT_TRUE(kx4.write_input("set data_store.monitor_ecus.activate_auto_detect=1\n"));
    ASSERT_TRUE(kx4.wait_for_output("process_ecu_mode_state_changes: current_ecu_mode:1 new_ecu_mode:2\n", timeout_ms))
        << kx4.output();
    std::map<int, int> setups;
    ASSERT_TRUE(wait_for_request(slaves, 68, {2, 3}, setups)) << slaves.output();
    EXPECT_GE(setups[57], 1) << slaves.output();
    EXPECT_GE(setups[68], 1) << slaves.output();
    for (int silent : {69, 70, 71})
        EXPECT_EQ(setups[silent], 3) << silent << "\n" << slaves.output();
    EXPECT_TRUE(wait_for_answer(kx4, "get params.app.monitor_ecus.monitor_ecus.0.enabled", "enabled = 1"))
        << kx4.output();
    EXPECT_TRUE(wait_for_answer(kx4, "get params.app.monitor_ecus.monitor_ecus.1.enabled", "enabled = 1"))
        << kx4.output();
    EXPECT_TRUE(wait_for_answer(kx4, "get params.app.monitor_ecus.monitor_ecus.2.enabled", "enabled = 0"))
        << kx4.output();

    // Back to the normal cycle, which reads the found ECUs once monitoring is on.
    ASSERT_TRUE(kx4.write_input("set data_store.monitor_ecus.activate_auto_detect=0\n"));
    ASSERT_TRUE(kx4.wait_for_output("process_ecu_mode_state_changes: current_ecu_mode:2 new_ecu_mode:1\n", timeout_ms))
        << kx4.output();
    ASSERT_TRUE(wait_for_request(slaves, 50, {2}, setups)) << slaves.output();
    ASSERT_TRUE(kx4.write_input("set params.app.monitor_ecus.monitoring_config=1\n"));
    EXPECT_TRUE(wait_for_request(slaves, 57, {2, 3}, setups)) << slaves.output();
    EXPECT_TRUE(wait_for_request(slaves, 68, {2, 3}, setups)) << slaves.output();

    // Channel 0 on with the master, moving at 5.4 km/h with no rate asked.
    for (const char* line : {"set params.app.machine_width=6", "set params.app.channels.0.enabled=1",
                             "set params.app.alarms.tank_active_no_rate.0.enabled=1",
                             "set params.app.alarms.tank_active_no_rate.0.delay_count=3", "set params.app.speed_source=4",
                             "set data_store.system.vt_uploaded=1", "set data_store.operation.inhibit_master_switch=0",
                             "set data_store.operation.master_switch_active=1",
                             "set data_store.channels.channels.0.active=1"})
        ASSERT_TRUE(kx4.write_input(std::string(line) + "\n"));
    // A speed message counts only once the speed source takes it.
    ASSERT_TRUE(wait_for_answer(kx4, "get params.app.speed_source", "speed_source = 4")) << kx4.output();
    ASSERT_TRUE(peer->send(wheel_speed(1500)));
    EXPECT_TRUE(wait_for_answer(kx4, "get data_store.vehicle.gps_speed", "gps_speed = 1.5;")) << kx4.output();
    const auto moving = std::chrono::steady_clock::now();
    EXPECT_TRUE(wait_for_answer(kx4, "get data_store.alarms.tank_active_no_rate.0.pending", "pending = 1;", 2 * timeout_ms))
        << kx4.output();
    EXPECT_TRUE(wait_for_answer(kx4, "get data_store.alarms.tank_active_no_rate.0.active", "active = 1;"))
        << kx4.output();
    // Four steps of one second, the first at most a second after the speed.
    EXPECT_GE(std::chrono::steady_clock::now() - moving, std::chrono::milliseconds(3000));

    ASSERT_TRUE(kx4.write_input("set data_store.channels.channels.0.requested_rate=12\n"));
    EXPECT_TRUE(wait_for_answer(kx4, "get data_store.alarms.tank_active_no_rate.0.active", "active = 0;"))
        << kx4.output();
    EXPECT_TRUE(wait_for_answer(kx4, "get data_store.alarms.tank_active_no_rate.0.pending", "pending = 0;"))
        << kx4.output();

    EXPECT_EQ(kx4.stop(SIGTERM, timeout_ms), 1) << kx4.output();
    EXPECT_EQ(slaves.stop(SIGTERM, timeout_ms), 0) << slaves.output();
    peer.reset();
    EXPECT_EQ(hub.process().stop(SIGTERM, timeout_ms), 0) << hub.output();
}

}
