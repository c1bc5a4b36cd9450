// The demonstration with fake slave processors, as tools/demo --fake-slave
// sets it up: its parameter set, fake_slave, fake_tc_server with a job's
// rates, fake_vt_server, and kx4 on them. The README's recipe drives the seeder; a stop by
// the console keeps the totals over a restart.
#include "tests/app/Kx4_driving.h"
#include "tests/app/Kx4_on_fake_slaves.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>

namespace {

class Kx4_demo : public Kx4_on_fake_slaves {
protected:
    void SetUp() override
    {
        Kx4_on_fake_slaves::SetUp();
        ASSERT_TRUE(tc.wait_for_output("Task Controller version", wait_ms)) << tc.output();
        ASSERT_TRUE(vt.wait_for_output("Virtual Terminal at", wait_ms)) << vt.output();
    }
    void TearDown() override
    {
        EXPECT_EQ(tc.stop(SIGTERM, wait_ms), 0) << tc.output();
        EXPECT_EQ(vt.stop(SIGTERM, wait_ms), 0) << vt.output();
        Kx4_on_fake_slaves::TearDown();
    }

    // The job of tools/demo's Task Controller: 100 and 60 kg/ha (DDI 6 in mg/m2), both tanks on (DDI 141).
    Spawned_process tc{{FAKE_TC_SERVER_PROGRAM, hub.isobus(), "--command", "Bin 1,6,3,10000", "--command",
                        "Bin 1,141,3,1", "--command", "Bin 2,6,3,6000", "--command", "Bin 2,141,3,1"}};
    Spawned_process vt{{FAKE_VT_SERVER_PROGRAM, hub.isobus()}};
};

TEST_F(Kx4_demo, the_recipe_drives_the_tanks_a_rate_change_reaches_the_slave_and_a_shutdown_keeps_the_totals)
{
    Spawned_process parameters({KX4_DEMO_PARAMETERS_PROGRAM, root.path() + "var/data/kx4/cache"});
    ASSERT_EQ(parameters.wait_for_exit(wait_ms), 0) << parameters.output();
    auto kx4 = start_kx4("pool activated\n");
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.channels.channels.1.requested_rate", "requested_rate = 60;"))
        << kx4->output();
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.channels.channels.1.active", "active = 1;")) << kx4->output();

    // 100 kg/ha over 12 m at 8 km/h is 16 kg a minute; at 0.5 kg and 20
    // pulses a turn, 640 pulses: one every 93750 us, asked for in 2 us counts.
    // The VT shows kx4's pool, which allows the master switch.
    ASSERT_TRUE(wait_for_answer(*kx4, "get data_store.system.vt_uploaded", "vt_uploaded = 1;")) << kx4->output();
    ASSERT_TRUE(kx4->write_input("set data_store.operation.master_switch_active=1\n"));
    EXPECT_NE(wait_for_line(slaves, {"request to 50 command 2:", "(channel 1 period 46875 flags 1)"}), "")
        << slaves.output();
    // The other tank: 60 kg/ha, 0.25 kg a turn: 768 pulses a minute.
    EXPECT_NE(wait_for_line(slaves, {"request to 50 command 2:", "(channel 2 period 39062 flags 1)"}), "")
        << slaves.output();
    // 120 kg/ha: 768 pulses a minute.
    ASSERT_TRUE(kx4->write_input("set ds.channels.requested_rate.0=120\n"));
    EXPECT_NE(wait_for_line(slaves, {"request to 50 command 2:", "(channel 1 period 39062 flags 1)"}), "")
        << slaves.output();

    // Seeding counts the product of both tanks and the working time; the
    // master off stops the counts.
    const char* totals[] = {"get data_store.channels.channels.0.remaining_volume",
                            "get data_store.channels.channels.1.remaining_volume",
                            "get data_store.history.machine_operating_time"};
    const std::function<bool(double)> grown[] = {[](double v) { return v < 3000; }, [](double v) { return v < 2000; },
                                                 [](double v) { return v > 0; }};
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(wait_for_value(*kx4, totals[k], grown[k])) << totals[k] << "\n" << kx4->output();
    ASSERT_TRUE(kx4->write_input("set data_store.operation.master_switch_active=0\n"));
    EXPECT_NE(wait_for_line(slaves, {"request to 50 command 2:", "(channel 1 period 0 flags 0)"}), "")
        << slaves.output();
    double counted[3];
    for (int k = 0; k < 3; ++k)
        counted[k] = value_of(*kx4, totals[k]);

    ASSERT_TRUE(kx4->write_input("shutdown\n"));
    EXPECT_EQ(kx4->wait_for_exit(wait_ms), 1) << kx4->output();
    kx4 = start_kx4("pool activated\n");
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(value_of(*kx4, totals[k]), counted[k]) << totals[k] << "\n" << kx4->output();
    EXPECT_EQ(kx4->stop(SIGTERM, wait_ms), 1) << kx4->output();
}

}
