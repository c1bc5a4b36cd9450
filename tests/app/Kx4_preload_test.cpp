// kx4 on the serial line with a granular channel set up through its console:
// the master switched on at standstill preloads the channel for its preload
// time; then moving on the ISOBUS speed works area and product, and the
// master off saves the totals that the next start reads. Boom 0 has ten
// sections in VT mode, one more section delay than sections.
#include "platform/can/Bus_select.h"
#include "tests/app/App_fixture.h"
#include "tests/app/Kx4_driving.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>

namespace {

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 20000;

// One drive request of the fake's log: its time of day and its period.
struct Drive_request {
    int64_t ms;
    uint32_t period;
};

// Reads the fake's log up to the next drive request to ECU 50, channel 1
// (product channel 0): "hh:mm:ss.mmm request to 50 command 2: 32 0a 31 02 01 p0 p1 p2 ...".
bool next_drive_request(Spawned_process& slaves, Drive_request& request)
{
    const std::string tag = " request to 50 command 2: ";
    std::string line;
    while (slaves.read_line(line, timeout_ms)) {
        const size_t at = line.find(tag);
        if (at == std::string::npos)
            continue;
        std::istringstream bytes(line.substr(at + tag.size()));
        unsigned b[8] = {};
        for (unsigned& v : b)
            bytes >> std::hex >> v;
        if (!bytes || b[4] != 1)
            continue;
        int hours = 0, minutes = 0, seconds = 0, ms = 0;
        if (std::sscanf(line.c_str(), "%d:%d:%d.%d", &hours, &minutes, &seconds, &ms) != 4)
            continue;
        request.ms = ((hours * 60 + minutes) * 60 + seconds) * 1000 + ms;
        request.period = 2 * (b[5] | b[6] << 8 | b[7] << 16);
        return true;
    }
    return false;
}

std::filesystem::file_time_type modified(const std::string& path)
{
    std::error_code error;
    return std::filesystem::last_write_time(path, error);
}

TEST(Kx4_preload, a_preload_at_standstill_then_area_and_product_while_moving_and_the_totals_saved_by_the_master)
{
    Temp_folder root;
    Hub_process hub(CAN_HUB_PROGRAM, 0, 0, timeout_ms);
    ASSERT_TRUE(hub.listening()) << hub.output();
    std::unique_ptr<Can_bus> peer(Bus_select::start(hub.isobus().c_str(), nullptr));
    ASSERT_TRUE(peer);

    const std::string link = root.path() + "slaves";
    Spawned_process slaves({FAKE_SLAVE_PROGRAM, "--link", link});
    ASSERT_TRUE(slaves.wait_for_output("fake_slave: serving", timeout_ms)) << slaves.output();
    const std::vector<std::string> arguments{KX4_PROGRAM, "-T", "--port=" + link, "--bus=" + hub.isobus(),
                                             "--abus=" + hub.abus()};
    auto kx4 = std::make_unique<Spawned_process>(arguments, std::vector<std::string>{"KX4_ROOT=" + root.path()},
                                                 Spawned_process::Input::fed);
    ASSERT_TRUE(kx4->wait_for_output("Starting in VT Mode\n", timeout_ms)) << kx4->output();
    const auto started = std::chrono::steady_clock::now();

    // A reversing-valve channel of 10 pulses and 0.5 kg per turn, 100 kg/ha
    // on 6 m, preloading for 3 s; the speed from PGN 65096.
    for (const char* line :
         {"set params.app.machine_width=6", "set params.app.booms.booms.0.num_sections=10",
          "set params.app.channels.0.enabled=1", "set params.app.channels.0.granular_controller_type=2",
          "set params.app.channels.0.rvalve_granular_encoder_ratio=10", "set params.app.channels.0.cal_setting=0.5",
          "set params.app.preload_time=3", "set params.app.speed_source=4", "set data_store.system.vt_alive=1",
          "set data_store.system.vt_uploaded=1", "set data_store.operation.inhibit_master_switch=0",
          "set data_store.channels.channels.0.product_assigned=1",
          "set data_store.channels.channels.0.requested_rate=100", "set data_store.channels.channels.0.active=1"})
        ASSERT_TRUE(kx4->write_input(std::string(line) + "\n"));
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.channels.channels.0.active", "active = 1;")) << kx4->output();
    EXPECT_TRUE(wait_for_answer(*kx4, "get params.app.speed_source", "speed_source = 4")) << kx4->output();
    ASSERT_TRUE(kx4->write_input("set data_store.operation.master_switch_active=1\n"));
    ASSERT_TRUE(kx4->wait_for_output("Tank Index=0: SetPreloadTimer = 6\n", timeout_ms)) << kx4->output();

    // The drive turns for the preload time (and the half second until the
    // speed step sees the preload ended), then stops.
    Drive_request request{};
    Drive_request first_on{};
    bool on = false;
    while (next_drive_request(slaves, request)) {
        if (!on && request.period != 0) {
            first_on = request;
            on = true;
        } else if (on && request.period == 0) {
            break;
        }
    }
    ASSERT_TRUE(on) << slaves.output();
    ASSERT_EQ(request.period, 0u) << slaves.output();
    EXPECT_GE(request.ms - first_on.ms, 2000) << slaves.output();
    EXPECT_LE(request.ms - first_on.ms, 5000) << slaves.output();
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.operation.preload_active", "preload_active = 0;"))
        << kx4->output();

    // Moving at 5.4 km/h: area and product grow beyond what the preload counted.
    const char* totals[] = {"get data_store.channels.channels.0.lifetime_total_area", "get data_store.areas.area.0.total",
                            "get data_store.history.machine_operating_area"};
    double before[3];
    for (int k = 0; k < 3; ++k)
        before[k] = value_of(*kx4, totals[k]);
    const double remaining = value_of(*kx4, "get data_store.channels.channels.0.remaining_volume");
    ASSERT_TRUE(peer->send(wheel_speed(1500)));
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.vehicle.gps_speed", "gps_speed = 1.5;")) << kx4->output();
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(wait_for_value(*kx4, totals[k], [&before, k](double v) { return v > before[k]; }))
            << totals[k] << "\n"
            << kx4->output();
    EXPECT_TRUE(wait_for_value(*kx4, "get data_store.channels.channels.0.remaining_volume",
                               [remaining](double v) { return v < remaining; }))
        << kx4->output();
    EXPECT_TRUE(wait_for_value(*kx4, "get data_store.channels.channels.0.actual_rate",
                               [](double v) { return std::fabs(v - 100.0) < 5.0; }))
        << kx4->output();

    // A minute of work on the ten sections, at the pace of the drive requests.
    int driving = 0;
    while (std::chrono::steady_clock::now() - started < std::chrono::seconds(60)) {
        ASSERT_TRUE(next_drive_request(slaves, request)) << slaves.output();
        driving += request.period != 0;
    }
    EXPECT_GT(driving, 10);

    // The master off saves the totals; the parameter file follows a second later.
    const std::string file = root.path() + "var/data/kx4/cache/params";
    const double area = value_of(*kx4, "get data_store.history.machine_operating_area");
    ASSERT_GT(area, 0.0);
    ASSERT_TRUE(kx4->write_input("set data_store.operation.master_switch_active=0\n"));
    EXPECT_TRUE(wait_for_value(*kx4, "get params.app.history.machine_operating_area",
                               [area](double v) { return v >= area; }))
        << kx4->output();
    const auto saved = std::filesystem::file_time_type::clock::now();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (modified(file) <= saved && std::chrono::steady_clock::now() < deadline)
        ASSERT_FALSE(std::isnan(value_of(*kx4, "get data_store.operation.master_switch_active")));
    EXPECT_GT(modified(file), saved);
    EXPECT_EQ(kx4->stop(SIGTERM, timeout_ms), 1) << kx4->output();
    const std::string said = kx4->output();
    EXPECT_EQ(said.find("BUG"), std::string::npos) << said;
    EXPECT_EQ(said.find("index < SIZE"), std::string::npos) << said;

    kx4 = std::make_unique<Spawned_process>(arguments, std::vector<std::string>{"KX4_ROOT=" + root.path()},
                                            Spawned_process::Input::fed);
    ASSERT_TRUE(kx4->wait_for_output("Starting in VT Mode\n", timeout_ms)) << kx4->output();
    EXPECT_GE(value_of(*kx4, "get params.app.history.machine_operating_area"), area) << kx4->output();
    EXPECT_GT(value_of(*kx4, "get params.app.areas.channel.0.sub_area.0.total"), 0.0) << kx4->output();
    EXPECT_LT(value_of(*kx4, "get params.app.channels.0.remaining"), 0.0) << kx4->output();
    EXPECT_GE(value_of(*kx4, "get data_store.history.machine_operating_area"), area) << kx4->output();
    EXPECT_EQ(kx4->stop(SIGTERM, timeout_ms), 1) << kx4->output();

    EXPECT_EQ(slaves.stop(SIGTERM, timeout_ms), 0) << slaves.output();
    peer.reset();
    EXPECT_EQ(hub.process().stop(SIGTERM, timeout_ms), 0) << hub.output();
}

}
