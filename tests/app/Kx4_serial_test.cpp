// kx4 with and without the slave processors' serial line (--port).
#include "tests/app/App_fixture.h"
#include "tests/app/Kx4_driving.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

namespace {

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 20000;

// A CAN server with two buses (the ISOBUS and the slave ECUs') and a root folder for kx4.
class Kx4_serial : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(hub.listening()) << hub.output();
    }
    void TearDown() override { EXPECT_EQ(hub.process().stop(SIGTERM, timeout_ms), 0) << hub.output(); }

    // Runs kx4 with the extra arguments until it waits for its display, then
    // stops it with SIGTERM; its output.
    std::string run_until_running(const std::vector<std::string>& extra)
    {
        std::vector<std::string> arguments{KX4_PROGRAM, "--bus=" + hub.isobus(), "--abus=" + hub.abus()};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        Spawned_process kx4(arguments, {"KX4_ROOT=" + root.path()});
        EXPECT_TRUE(kx4.wait_for_output("Starting in VT Mode\n", timeout_ms)) << kx4.output();
        EXPECT_EQ(kx4.stop(SIGTERM, timeout_ms), 1) << kx4.output();
        return kx4.output();
    }

    Temp_folder root;
    Hub_process hub{CAN_HUB_PROGRAM, 0, 0, timeout_ms};
};

TEST_F(Kx4_serial, with_a_port_it_runs_its_control_task_on_the_line_and_closes_the_port_at_the_end)
{
    const std::string link = root.path() + "slaves";
    Spawned_process slaves({FAKE_SLAVE_PROGRAM, "--link", link});
    ASSERT_TRUE(slaves.wait_for_output("fake_slave: serving", timeout_ms)) << slaves.output();

    const std::string said = run_until_running({"--port=" + link});
    const size_t real = said.find("START REAL\n");
    EXPECT_NE(real, std::string::npos) << said;
    EXPECT_NE(said.find("Save runtime = 240000 ms\n", real), std::string::npos) << said;
    EXPECT_EQ(said.find("cannot open"), std::string::npos) << said;
    EXPECT_EQ(said.find("START SIM"), std::string::npos) << said;
    const size_t closing = said.find("Closing com port: " + link + "\n");
    EXPECT_NE(closing, std::string::npos) << said;
    EXPECT_LT(said.find("\nShutdown code: 1\n"), closing) << said;
    EXPECT_LT(closing, said.find("EXIT: 1\n")) << said;
    EXPECT_EQ(slaves.stop(SIGTERM, timeout_ms), 0) << slaves.output();
}

TEST_F(Kx4_serial, a_port_naming_no_device_is_named_and_kx4_runs_on)
{
    const std::string device = root.path() + "no-such-device";
    const std::string said = run_until_running({"--port=" + device});
    EXPECT_NE(said.find("START REAL\n"), std::string::npos) << said;
    EXPECT_NE(said.find("Serial port " + device + ": cannot open it: No such file or directory\n"), std::string::npos)
        << said;
}

// The slave processors' line may come after kx4, and go and come back while
// it runs: polling follows it, and nothing is polled while it is away.
TEST_F(Kx4_serial, polling_starts_when_the_line_appears_and_resumes_when_it_comes_back)
{
    const std::string link = root.path() + "slaves";
    const std::string stops = "Serial port " + link + ": polling stops until the port is back";
    const std::string returns = "Serial port " + link + " is back: polling starts again";
    Spawned_process kx4({KX4_PROGRAM, "--port=" + link, "--bus=" + hub.isobus(), "--abus=" + hub.abus()},
                        {"KX4_ROOT=" + root.path()});
    ASSERT_NE(wait_for_line(kx4, {stops}), "") << kx4.output();

    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(testing::Message() << "fake_slave run " << run);
        Spawned_process slaves({FAKE_SLAVE_PROGRAM, "--link", link});
        ASSERT_TRUE(slaves.wait_for_output("fake_slave: serving", timeout_ms)) << slaves.output();
        ASSERT_NE(wait_for_line(kx4, {returns}), "") << kx4.output();
        EXPECT_TRUE(slaves.wait_for_output("request to 50 command 4:", timeout_ms)) << slaves.output();
        EXPECT_EQ(slaves.stop(SIGTERM, timeout_ms), 0) << slaves.output();
        ASSERT_NE(wait_for_line(kx4, {stops}), "") << kx4.output();
    }
    EXPECT_EQ(kx4.stop(SIGTERM, timeout_ms), 1) << kx4.output();
    // Each change said once; between the first run's end and the second's
    // start no request went out, so no slave was missed.
    const std::string& said = kx4.output();
    EXPECT_EQ(count_of(said, stops), 3u) << said;
    EXPECT_EQ(count_of(said, returns), 2u) << said;
    const size_t away = said.find(stops, said.find(returns));
    const size_t again = said.find(returns, away);
    ASSERT_NE(again, std::string::npos) << said;
    EXPECT_EQ(said.substr(away, again - away).find("NO COMMS"), std::string::npos) << said;
}

TEST_F(Kx4_serial, without_a_port_the_simulator_runs_in_place_of_the_control_task)
{
    const std::string said = run_until_running({});
    EXPECT_NE(said.find("START SIM\n"), std::string::npos) << said;
    EXPECT_EQ(said.find("START REAL"), std::string::npos) << said;
    EXPECT_EQ(said.find("Closing com port"), std::string::npos) << said;
}

}
