// kx4 in simulator mode with a second display on the ISOBUS: can_hub, kx4
// and fake_display as processes, the display driven by name.
#include "app/Parameter_file.h"
#include "params/parameters_t.h"
#include "tests/app/App_fixture.h"
#include "tests/support/Debug_capture.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Spawned_process.h"
#include "tests/support/Wait_until.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 20000;

// The value in the next line the display says about the item ("" when none comes).
std::string next_value(Spawned_process& display, const std::string& name)
{
    const std::string start = name + " = ";
    std::string line;
    while (display.read_line(line, timeout_ms))
        if (line.rfind(start, 0) == 0)
            return line.substr(start.size());
    return "";
}

// The machine width in the parameter file kx4 keeps under root; -1 while it cannot be read.
float saved_machine_width(const std::string& root, const std::string& scratch)
{
    if (!Parameter_file::copy(root + "var/data/kx4/cache/params", scratch + "params"))
        return -1;
    Debug_capture quiet; // the load says how it went, each time
    module_man manager;
    NV_quvel::parameters_t loaded(&manager, 0, "PS");
    if (!Parameter_file(loaded, scratch).load())
        return -1;
    return loaded.app.machine_width.get();
}

class Kx4_display : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(hub.listening()) << hub.output(); }
    void TearDown() override { EXPECT_EQ(hub.process().stop(SIGTERM, timeout_ms), 0) << hub.output(); }

    std::unique_ptr<Spawned_process> start_display()
    {
        auto display = std::make_unique<Spawned_process>(std::vector<std::string>{FAKE_DISPLAY_PROGRAM, hub.isobus()},
                                                         std::vector<std::string>{"KX4_ROOT=" + display_root.path()},
                                                         Spawned_process::Input::fed);
        return display;
    }

    Temp_folder root, display_root, scratch;
    Hub_process hub{CAN_HUB_PROGRAM, 0, 0, timeout_ms};
};

TEST_F(Kx4_display, a_display_reads_sets_and_watches_items_by_name_and_caches_the_tree)
{
    Spawned_process kx4({KX4_PROGRAM, "--bus=" + hub.isobus(), "--abus=" + hub.abus()}, {"KX4_ROOT=" + root.path()});
    ASSERT_TRUE(kx4.wait_for_output("Remote CDS started\n", timeout_ms)) << kx4.output();
    auto display = start_display();
    ASSERT_TRUE(display->wait_for_output("fake_display: tree fetched in ", timeout_ms))
        << display->output() << kx4.output();

    const std::string master = "cds.data_store.operation.master_switch_active";
    ASSERT_TRUE(display->write_input("get " + master + "\n"));
    const std::string before = next_value(*display, master);
    ASSERT_TRUE(before == "TRUE" || before == "FALSE") << display->output();
    const std::string flipped = before == "TRUE" ? "FALSE" : "TRUE";
    ASSERT_TRUE(display->write_input("set " + master + "=" + (before == "TRUE" ? "false" : "true") + "\n"));
    EXPECT_EQ(next_value(*display, master), flipped) << "the value after the write";
    ASSERT_TRUE(display->write_input("get " + master + "\n"));
    EXPECT_EQ(next_value(*display, master), flipped) << "read back";

    // The simulator counts the ground wheel's pulses every second.
    const std::string pulses = "cds.data_store.diagnostics.ground_speed.pulse_count";
    ASSERT_TRUE(display->write_input("watch " + pulses + "\n"));
    std::vector<unsigned long> counts;
    for (int i = 0; i < 3; ++i) {
        const std::string value = next_value(*display, pulses);
        ASSERT_FALSE(value.empty()) << display->output();
        counts.push_back(std::stoul(value));
    }
    EXPECT_LT(counts[0], counts[1]);
    EXPECT_LT(counts[1], counts[2]);
    ASSERT_TRUE(display->write_input("unwatch " + pulses + "\n"));

    const std::string width = "nv.PS.app.machine_width";
    ASSERT_TRUE(display->write_input("set " + width + "=12.5\n"));
    EXPECT_EQ(next_value(*display, width), "12.5");
    EXPECT_TRUE(wait_until([&] { return saved_machine_width(root.path(), scratch.path()) == 12.5f; }, timeout_ms))
        << "the parameter file is saved after the change";

    ASSERT_TRUE(display->write_input("quit\n"));
    EXPECT_EQ(display->wait_for_exit(timeout_ms), 0) << display->output();

    auto second = start_display();
    ASSERT_TRUE(second->wait_for_output("fake_display: tree ", timeout_ms)) << second->output();
    EXPECT_NE(second->output().find("fake_display: tree from the cache\n"), std::string::npos) << second->output();
    ASSERT_TRUE(second->write_input("get " + width + "\n"));
    EXPECT_EQ(next_value(*second, width), "12.5");
    EXPECT_EQ(second->stop(SIGTERM, timeout_ms), 0) << second->output();

    kx4.send_signal(SIGTERM);
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
}

}
