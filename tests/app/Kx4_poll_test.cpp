// kx4 polling the fake slave processors on the serial line: the cycle, the
// ground wheel, a slave that falls silent and comes back, the weigh scale,
// and a channel driven from the test console at a tractor's speed, whose
// drive target reaches the slave.
#include "tests/app/App_fixture.h"
#include "tests/app/Kx4_driving.h"
#include "tests/app/Kx4_on_fake_slaves.h"
#include "tests/support/Fake_slave_replies.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <termios.h>
#include <unistd.h>

namespace {

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 20000;

// The status request of slots 0 and 17, (50, 1, [1]): twice a cycle.
const std::string status_request = "request to 50 command 1: 32 05 31 01 01 6a";

class Kx4_poll : public Kx4_on_fake_slaves {
protected:
    bool console(Spawned_process& kx4, std::initializer_list<const char*> lines)
    {
        for (const char* line : lines)
            if (!kx4.write_input(std::string(line) + "\n"))
                return false;
        return true;
    }

};

TEST_F(Kx4_poll, polls_every_slave_follows_the_wheel_flags_a_silent_slave_until_it_answers_and_reads_the_scale)
{
    auto kx4 = start_kx4();

    // Two whole cycles, then the first deadline is the only one.
    ASSERT_TRUE(wait_for_count(slaves, status_request, 4)) << slaves.output();
    double period = 0;
    EXPECT_TRUE(wait_for_value(
        *kx4, "get data_store.vehicle.ground_speed_sensor.period",
        [](double v) { return v == Fake_slave_replies::wheel_period << 9; }, &period))
        << period << "\n"
        << kx4->output();
    const std::string& said = kx4->output();
    EXPECT_NE(said.find("****InitComms****\n"), std::string::npos) << said;
    EXPECT_EQ(count_of(said, "NO COMMS - PollIndex="), 1u) << said;
    EXPECT_NE(said.find("NO COMMS - PollIndex=0\n"), std::string::npos) << said;
    EXPECT_EQ(said.find("Check failed"), std::string::npos) << said;
    EXPECT_EQ(said.find("Pkt fail"), std::string::npos) << said;

    // 0.5 m per pulse, a pulse every 1000 x 2 us x 512: 3.515625 km/h.
    ASSERT_TRUE(console(*kx4, {"set params.app.wheel_cal_factor=0.5"}));
    double speed = 0;
    EXPECT_TRUE(wait_for_value(
        *kx4, "get data_store.vehicle.speed", [](double v) { return std::fabs(v - 3.515625 / 3.6) < 1e-4; }, &speed))
        << speed << "\n"
        << kx4->output();

    // The weigh scale answers the text request with its count.
    ASSERT_TRUE(console(*kx4, {"set data_store.operation.calibration_scale_dec_places=1",
                               "set data_store.operation.calibration_scales_mode=1",
                               "set data_store.operation.calibration_scales.0.scale_enabled=1"}));
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.operation.calibration_scales.0.gross_weight",
                                "gross_weight = 123.4;"))
        << kx4->output();
    EXPECT_TRUE(slaves.wait_for_output("request to scale 0: \"S20110026:\\r\\n\\x03\" -> reply "
                                       "\"S80110026:000004D2\\r\\n\\x03\"",
                                       timeout_ms))
        << slaves.output();

    // Channel 5 brings ECU 52 into the cycle, which goes on answering when
    // the first drive ECU (50 and 51, one slave) falls silent: its bit at the
    // fourth miss in a row, and the alarm.
    ASSERT_TRUE(console(*kx4, {"set params.app.channels.4.enabled=1"}));
    ASSERT_NE(wait_for_line(slaves, {"request to 52 command 7:", "-> reply"}), "") << slaves.output();
    const size_t misses_before = count_of(kx4->output(), "NO COMMS - PollIndex=");
    ASSERT_TRUE(slaves.write_input("silent 50,51\n"));
    ASSERT_TRUE(slaves.wait_for_output("fake_slave: 51 silent\n", timeout_ms));
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.system.ECU_status", "ECU_status = 1;")) << kx4->output();
    EXPECT_GE(count_of(kx4->output(), "NO COMMS - PollIndex=") - misses_before, 4u) << kx4->output();
    ASSERT_NE(wait_for_line(slaves, {"request to 52 ", "-> reply"}), "") << slaves.output();
    EXPECT_EQ(value_of(*kx4, "get data_store.system.ECU_status"), 1) << kx4->output();
    EXPECT_EQ(value_of(*kx4, "get data_store.alarms.no_comms.triggered"), 1) << "ECU 52's replies leave it\n"
                                                                             << kx4->output();

    // It answers again: both clear.
    ASSERT_TRUE(slaves.write_input("answer 50,51\n"));
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.system.ECU_status", "ECU_status = 0;")) << kx4->output();
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.alarms.no_comms.triggered", "triggered = 0;"))
        << kx4->output();

    EXPECT_EQ(kx4->stop(SIGTERM, timeout_ms), 1) << kx4->output();
}

TEST_F(Kx4_poll, drives_a_channel_at_a_tractors_speed_and_after_a_restart_asks_the_power_box_first_through_echo)
{
    Tractor tractor(hub.isobus(), 1500);
    ASSERT_TRUE(tractor.running());
    auto kx4 = start_kx4();
    ASSERT_TRUE(wait_for_answer(*kx4, "set params.app.speed_source=4", "speed_source = 4")) << kx4->output();
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.vehicle.speed", "speed = 1.5;")) << kx4->output();

    // Motor drive, 20 pulses a shaft turn (gear 10, encoder 0), 0.5 kg a
    // turn, 6 m wide, 100 kg/ha at 5.4 km/h: 100 x 6 x 5.4 x 20 / (0.5 x
    // 600) = 216 pulses a minute, a pulse every 1e6 / 3.6 us.
    ASSERT_TRUE(console(*kx4, {"set params.app.machine_width=6", "set params.app.channels.0.granular_controller_type=0",
                               "set params.app.channels.0.motor_pulse_encoder=0",
                               "set params.app.channels.0.motor_gear_ratio=10",
                               "set params.app.channels.0.cal_setting=0.5", "set params.app.channels.0.enabled=1"}));
    // The control task works on its own copy of the parameters: until it has
    // taken the enabled channel, its half-second step switches the channel
    // off again. With channel 0 enabled it polls ECU 50's slot 10.
    ASSERT_NE(wait_for_line(slaves, {"request to 50 command 7:"}), "") << slaves.output();
    ASSERT_TRUE(console(*kx4, {"set data_store.system.vt_alive=1", "set data_store.system.vt_uploaded=1",
                               "set data_store.operation.master_switch_active=1",
                               "set data_store.channels.channels.0.active=1",
                               "set data_store.channels.channels.0.requested_rate=100"}));
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.channels.channels.0.set_period", "set_period = 277777;"))
        << kx4->output();
    // The drive target carries half the period, in 2 us counts; the motor runs.
    EXPECT_NE(wait_for_line(slaves, {"request to 50 command 2:", "(channel 1 period 138888 flags 1)"}), "")
        << slaves.output();

    ASSERT_TRUE(console(*kx4, {"set data_store.operation.master_switch_active=0"}));
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.channels.channels.0.set_period", "set_period = 0;"))
        << kx4->output();
    EXPECT_NE(wait_for_line(slaves, {"request to 50 command 2:", "(channel 1 period 0 flags 0)"}), "")
        << slaves.output();

    // An upgrade's shutdown saves the parameters: the power box fitted and the top speed.
    ASSERT_TRUE(wait_for_answer(*kx4, "set params.app.power_sat_box_enabled=1", "power_sat_box_enabled = 1"))
        << kx4->output();
    ASSERT_TRUE(console(*kx4, {"set data_store.system.initiate_shutdown=2"}));
    EXPECT_EQ(kx4->wait_for_exit(timeout_ms), 2) << kx4->output();

    // The last request of the first run can still wait for its reply, or
    // its reply on the line (the fake holds the terminal open). A frame the
    // slaves ignore goes after it: once the fake has read that, it has
    // answered everything before, and the new run starts on a clean line.
    const int line = open(link.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(line, 0);
    const uint8_t not_from_the_controller[] = {0x32, 0x05, 0x32, 0x01, 0x01, 0x6b};
    ASSERT_EQ(write(line, not_from_the_controller, sizeof not_from_the_controller),
              ssize_t(sizeof not_from_the_controller));
    EXPECT_TRUE(slaves.wait_for_output("32 05 32 01 01 6b -> ignored", timeout_ms)) << slaves.output();
    tcflush(line, TCIFLUSH);
    close(line);
    ASSERT_TRUE(slaves.write_input("echo on\n"));
    ASSERT_TRUE(slaves.wait_for_output("fake_slave: echo on\n", timeout_ms));
    kx4 = start_kx4();
    EXPECT_TRUE(wait_for_answer(*kx4, "get params.app.history.max_speed", "max_speed = 1.5")) << kx4->output();
    // Only this run's frames come back with their echo.
    ASSERT_TRUE(wait_for_count(slaves, " -> echo -> reply ", 1)) << slaves.output();
    const std::string& log = slaves.output();
    const size_t first = log.find(" -> echo -> reply ");
    const size_t start = log.rfind('\n', first) + 1;
    EXPECT_NE(log.substr(start, first - start).find("request to 59 command 83: 3b 06 31 53 50 01 16"),
              std::string::npos)
        << log;

    // Polling through the echo as without it: the replies behind the echoes
    // are taken, also when echo and reply come in one read, no echo is taken
    // for a reply, no slave is flagged. A loaded machine can show deadlines:
    // a reply later than its deadline is the next request's wrong-length reply.
    ASSERT_TRUE(wait_for_answer(*kx4, "set params.app.speed_source=1", "speed_source = 1")) << kx4->output();
    const size_t before = count_of(slaves.output(), status_request);
    ASSERT_TRUE(wait_for_count(slaves, status_request, before + 4)) << slaves.output();
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.vehicle.ground_speed_sensor.period", "period = 512000;"))
        << kx4->output();
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.system.ECU_status", "ECU_status = 0;")) << kx4->output();
    // An echo taken for a reply would fail the length check of every request.
    EXPECT_LE(count_of(kx4->output(), "Check failed"), count_of(kx4->output(), "NO COMMS - ")) << kx4->output();
    EXPECT_EQ(kx4->output().find("Pkt fail"), std::string::npos) << kx4->output();

    EXPECT_EQ(kx4->stop(SIGTERM, timeout_ms), 1) << kx4->output();
}

TEST_F(Kx4_poll, an_external_switch_box_answering_the_same_state_at_every_cycle_lets_a_stuck_motor_raise_its_alarm)
{
    auto kx4 = start_kx4();
    // The switch box's replies read every switch on (toggle up is on), at
    // every cycle; its first switch is channel 0, an electric motor driving
    // 100 kg/ha at a manual 10 km/h.
    ASSERT_TRUE(console(*kx4, {"set params.app.swbox_external_swbox_type=1", "set params.app.swbox_ext_toggle_up_is_on=1",
                               "set params.app.swbox_mapping.0.channel=0", "set params.app.machine_width=6",
                               "set params.app.channels.0.granular_controller_type=0",
                               "set params.app.channels.0.motor_pulse_encoder=0",
                               "set params.app.channels.0.motor_gear_ratio=10",
                               "set params.app.channels.0.cal_setting=0.5", "set params.app.manual_speed=10",
                               "set params.app.speed_source=3", "set params.app.channels.0.enabled=1",
                               "set data_store.system.vt_alive=1", "set data_store.system.vt_uploaded=1",
                               "set data_store.operation.master_switch_active=1",
                               "set data_store.channels.channels.0.requested_rate=100"}));
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.channels.channels.0.active", "active = 1;")) << kx4->output();
    EXPECT_NE(wait_for_line(slaves, {"request to 50 command 2:", "(channel 1 period ", "-> reply 31 09 32 02 "}), "")
        << slaves.output();

    // The motor stops under its load (the fake's motor current reads 65 A):
    // no pulse from its drive, its pulse count standing. The switch box
    // answers the same state at every poll cycle meanwhile.
    const std::string switch_box = "request to 58 command 73:";
    ASSERT_TRUE(slaves.write_input("stall 50\n"));
    ASSERT_TRUE(slaves.wait_for_output("fake_slave: 50 stalled\n", timeout_ms));
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.alarms.tank_motor_jam.0.active", "active = 1;"))
        << kx4->output();
    EXPECT_TRUE(wait_for_count(slaves, switch_box, 20)) << slaves.output();
    const std::string changed = "Tank switch state on chan 0 changed\n";
    EXPECT_EQ(count_of(kx4->output(), changed), 1u) << kx4->output();

    // The switches read off, then on again: two real changes.
    ASSERT_TRUE(console(*kx4, {"set params.app.swbox_ext_toggle_up_is_on=0"}));
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.channels.channels.0.active", "active = 0;")) << kx4->output();
    ASSERT_TRUE(console(*kx4, {"set params.app.swbox_ext_toggle_up_is_on=1"}));
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.channels.channels.0.active", "active = 1;")) << kx4->output();
    EXPECT_TRUE(wait_for_count(*kx4, changed, 3)) << kx4->output();
    // Further replies of the same state change nothing.
    const size_t replies = count_of(slaves.output(), switch_box);
    ASSERT_TRUE(wait_for_count(slaves, switch_box, replies + 3)) << slaves.output();
    EXPECT_TRUE(wait_for_answer(*kx4, "get data_store.channels.channels.0.active", "active = 1;")) << kx4->output();
    EXPECT_EQ(count_of(kx4->output(), changed), 3u) << kx4->output();

    EXPECT_EQ(kx4->stop(SIGTERM, timeout_ms), 1) << kx4->output();
}

}
