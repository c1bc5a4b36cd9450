// kx4 -T without a serial port: the demonstration simulator runs, and the
// console's ds commands show and set it.
#include "tests/app/App_fixture.h"
#include "tests/app/Kx4_driving.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>

namespace {

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 20000;

// The value of the first answer line holding "<name>=" after asking request;
// empty when none came in time.
std::string ask_value(Spawned_process& kx4, const std::string& request, const std::string& name)
{
    if (!kx4.write_input(request + "\n"))
        return "";
    const std::string key = " " + name + "=";
    std::string line;
    while (kx4.read_line(line, timeout_ms)) {
        const size_t at = line.find(key);
        if (at != std::string::npos)
            return line.substr(at + key.size());
    }
    return "";
}

TEST(Kx4_simulator, runs_in_place_of_the_control_task_and_the_console_shows_and_sets_it)
{
    Temp_folder root;
    Hub_process hub(CAN_HUB_PROGRAM, 0, 0, timeout_ms);
    ASSERT_TRUE(hub.listening()) << hub.output();
    Spawned_process kx4({KX4_PROGRAM, "-T", "--bus=" + hub.isobus(), "--abus=" + hub.abus()},
                        {"KX4_ROOT=" + root.path()}, Spawned_process::Input::fed);
    ASSERT_TRUE(kx4.wait_for_output("Starting in VT Mode\n", timeout_ms)) << kx4.output();
    EXPECT_NE(kx4.output().find("START SIM\nSetup Channel #0, capacity="), std::string::npos) << kx4.output();
    EXPECT_EQ(kx4.output().find("START REAL"), std::string::npos) << kx4.output();

    // The simulator moves channel 0's rate every second, to a new value each time.
    const std::string first = ask_value(kx4, "get ds.channels.0", "actual_rate");
    ASSERT_FALSE(first.empty()) << kx4.output();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    std::string next = first;
    while (next == first && std::chrono::steady_clock::now() < deadline)
        next = ask_value(kx4, "get ds.channels.0", "actual_rate");
    EXPECT_NE(next, first) << kx4.output();
    EXPECT_FALSE(next.empty()) << kx4.output();

    EXPECT_EQ(ask_value(kx4, "get ds.alarms", "alarms.tank_empty[1]:ack"), "0, trig=0, new=0, pend=0, active=1")
        << kx4.output();

    ASSERT_TRUE(kx4.write_input("set ds.channels.requested_rate.2=12.7\n"));
    EXPECT_TRUE(wait_for_answer(kx4, "get data_store.channels.channels.2.requested_rate", "requested_rate = 12.7;"))
        << kx4.output();

    ASSERT_TRUE(kx4.write_input(std::string(10000, 'x') + "\n"));
    EXPECT_TRUE(kx4.wait_for_output("Line of 10000 characters refused: the console takes at most 255\n", timeout_ms))
        << kx4.output();
    EXPECT_EQ(ask_value(kx4, "get ds.vehicle", "speed"), "15.0000") << kx4.output();

    ASSERT_TRUE(kx4.write_input("shutdown\n"));
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
    EXPECT_NE(kx4.output().find("\nShutdown code: 1\n"), std::string::npos) << kx4.output();
    EXPECT_EQ(hub.process().stop(SIGTERM, timeout_ms), 0) << hub.output();
}

}
