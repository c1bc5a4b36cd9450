#pragma once
// kx4 as a program on a CAN server's two buses, with fake_slave serving the
// slave processors on its serial line, under a temporary root.
#include "tests/app/App_fixture.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <string>
#include <vector>

class Kx4_on_fake_slaves : public ::testing::Test {
protected:
    // Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
    static constexpr int wait_ms = 20000;

    void SetUp() override
    {
        ASSERT_TRUE(hub.listening()) << hub.output();
        ASSERT_TRUE(slaves.wait_for_output("fake_slave: serving", wait_ms)) << slaves.output();
    }
    void TearDown() override
    {
        EXPECT_EQ(slaves.stop(SIGTERM, wait_ms), 0) << slaves.output();
        EXPECT_EQ(hub.process().stop(SIGTERM, wait_ms), 0) << hub.output();
    }

    // kx4 -T on them, its console fed by the test, once its output holds ready.
    std::unique_ptr<Spawned_process> start_kx4(const std::string& ready = "Starting in VT Mode\n")
    {
        auto kx4 = std::make_unique<Spawned_process>(
            std::vector<std::string>{KX4_PROGRAM, "-T", "--port=" + link, "--bus=" + hub.isobus(),
                                     "--abus=" + hub.abus()},
            std::vector<std::string>{"KX4_ROOT=" + root.path()}, Spawned_process::Input::fed);
        EXPECT_TRUE(kx4->wait_for_output(ready, wait_ms)) << kx4->output();
        return kx4;
    }

    Temp_folder root;
    Hub_process hub{CAN_HUB_PROGRAM, 0, 0, wait_ms};
    const std::string link = root.path() + "slaves";
    Spawned_process slaves{{FAKE_SLAVE_PROGRAM, "--link", link}, {}, Spawned_process::Input::fed};
};
