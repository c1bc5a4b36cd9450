// kx4 -T as a program: its test console fed on standard input.
#include "tests/app/App_fixture.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

namespace {

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 20000;

// kx4 with its console on the two buses of a CAN server, under a temporary root.
class Kx4_console : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(hub.listening()) << hub.output();
        arguments = {KX4_PROGRAM, "-T", "--bus=" + hub.isobus(), "--abus=" + hub.abus()};
    }
    void TearDown() override
    {
        EXPECT_EQ(hub.process().stop(SIGTERM, timeout_ms), 0) << hub.output();
    }

    Temp_folder root;
    Hub_process hub{CAN_HUB_PROGRAM, 0, 0, timeout_ms};
    std::vector<std::string> arguments;
};

// Lines go in once the parameters are loaded, which would overwrite a set
// made before. The console echoes its prompt and each line: the answers
// are told apart by their blanks around "=".
TEST_F(Kx4_console, reads_and_sets_a_parameter_and_shutdown_ends_the_program_with_code_1)
{
    Spawned_process kx4(arguments, {"KX4_ROOT=" + root.path()}, Spawned_process::Input::fed);
    ASSERT_TRUE(kx4.wait_for_output("Starting in VT Mode\n", timeout_ms)) << kx4.output();

    ASSERT_TRUE(kx4.write_input("get params.app.speed_source\n"));
    EXPECT_TRUE(kx4.wait_for_output("speed_source = 1\n", timeout_ms)) << kx4.output();
    ASSERT_TRUE(kx4.write_input("set params.app.machine_width=12.7\n"));
    EXPECT_TRUE(kx4.wait_for_output("machine_width = 12.7\n", timeout_ms)) << kx4.output();

    ASSERT_TRUE(kx4.write_input("shutdown\n"));
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
    const std::string& said = kx4.output();
    EXPECT_NE(said.find("Shutting down\n"), std::string::npos) << said;
    EXPECT_NE(said.find("\nShutdown code: 1\nWriting exit code to file: 1\n"
                        "Shutting down - notify VT\nEXIT: 1\n"), std::string::npos) << said;
    EXPECT_EQ(text_of(root.path() + "var/data/kx4/app/AppExitCode.txt"), "1");
}

// The end of the input ends the console only; and while the console waits
// for a line, a stop signal still reaches the program at once.
TEST_F(Kx4_console, the_program_outlives_the_end_of_its_input_and_a_stop_signal_ends_it_either_way)
{
    for (bool end_input : {true, false}) {
        Spawned_process kx4(arguments, {"KX4_ROOT=" + root.path()}, Spawned_process::Input::fed);
        ASSERT_TRUE(kx4.wait_for_output("Starting in VT Mode\n", timeout_ms)) << kx4.output();
        if (end_input) {
            kx4.close_input();
            ASSERT_TRUE(kx4.wait_for_output("Got nothing!\n", timeout_ms)) << kx4.output();
        }
        kx4.send_signal(SIGTERM);
        EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << end_input << kx4.output();
        EXPECT_NE(kx4.output().find("\nShutdown code: 1\n"), std::string::npos) << end_input << kx4.output();
        EXPECT_EQ(kx4.output().find("Got nothing!") != std::string::npos, end_input) << kx4.output();
    }
}

}
