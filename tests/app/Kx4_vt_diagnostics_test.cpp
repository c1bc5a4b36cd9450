// An operator at the fake VT looking at the diagnostics and system
// information screens while a drive of the fake slave processors turns, kx4
// and the others run as processes.
#include "tests/app/App_fixture.h"
#include "tests/app/Kx4_driving.h"
#include "tests/app/Kx4_vt_session.h"
#include "tests/support/Fake_slave_replies.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

namespace {

constexpr int wait_ms = Kx4_vt_session::wait_ms;

// Presses the key once it reached the screen shown: again when an alarm
// mask had come up over it by the time the VT sent it.
bool press_past_alarms(Kx4_vt_session& session, uint16_t id)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!session.acknowledge_alarms() || !session.press(id))
            return false;
        if (!session.is_alarm_mask(session.shown_mask()))
            return true;
    }
    return false;
}

TEST(Kx4_vt_diagnostics, the_screens_show_a_turning_shaft_and_the_drive_ecus_and_reset_the_counters)
{
    Kx4_vt_session session({true, [](NV_quvel::parameters_t& stored) {
                                // Tank 1 granular on a motor drive, 6 m wide,
                                // at the tractor's speed, with the first product.
                                stored.app.machine_width.set(6);
                                stored.app.speed_source.set(4);
                                NV_quvel::channel_t& tank = *stored.app.channels[0];
                                tank.mode.set(0);
                                tank.granular_controller_type.set(0);
                                tank.motor_pulse_encoder.set(0);
                                tank.motor_gear_ratio.set(10);
                                tank.cal_setting.set(0.5f);
                                tank.enabled.set(true);
                                stored.app.products[0]->tank.set(0);
                            }});
    Tractor tractor(session.hub().isobus(), 1500); // 5.4 km/h
    ASSERT_TRUE(tractor.running());
    ASSERT_TRUE(session.start()) << session.report();
    const Seeder_pool_ids& ids = session.ids();
    const Actuator_diagnostics_ids& diagnostics = ids.actuator_diagnostics;

    // The drive of tank 1 turns.
    const std::string channel = "get data_store.channels.channels.0.";
    ASSERT_TRUE(session.console("set data_store.channels.channels.0.requested_rate=100"));
    ASSERT_TRUE(session.answer(channel + "product_assigned", "product_assigned = 1;")) << session.report();
    ASSERT_TRUE(session.enter_number(ids.main.tank_list, 0)) << session.report();
    ASSERT_TRUE(session.answer(channel + "selected", "selected = 1;")) << session.report();
    ASSERT_TRUE(session.press_until(ids.main.tank_on_off_key, channel + "active", 1)) << session.report();
    ASSERT_TRUE(session.press_until(ids.main.master_key, "get data_store.operation.master_switch_active", 1))
        << session.report();
    double period = 0;
    ASSERT_TRUE(wait_for_value(session.kx4(), "get data_store.diagnostics.shaft.0.period",
                               [](double p) { return p > 0; }, &period, wait_ms))
        << session.report();

    ASSERT_TRUE(session.press_to(ids.main.diagnostics_key, diagnostics.mask)) << session.report();
    EXPECT_TRUE(session.answer("get data_store.diagnostics.showing_diagnostics", "showing_diagnostics = 1;"))
        << session.report();
    // Shown in ms with one decimal: the period in us / 100.
    const auto shown = uint32_t(std::lround(period / 100));
    EXPECT_TRUE(session.wait_for_value(diagnostics.shaft_periods[0], [&](uint32_t v) { return v == shown; }))
        << shown << "\n" << session.report();

    // The pulses counted since the start, then again from nothing.
    const uint16_t pulses = diagnostics.shaft_pulses[0];
    constexpr uint32_t counted = 5 * Fake_slave_replies::drive_pulses;
    uint32_t before = 0;
    ASSERT_TRUE(session.wait_for_value(pulses, [](uint32_t v) { return v >= counted; }, &before))
        << session.report();
    ASSERT_TRUE(press_past_alarms(session, diagnostics.reset_key)) << session.report();
    // Read by the press since: the count it had when the key went.
    session.wait_for_value(pulses, [](uint32_t) { return true; }, &before);
    EXPECT_TRUE(session.wait_for_value(pulses, [&](uint32_t v) { return v < before; }))
        << before << "\n" << session.report();

    // The drive ECUs' firmware as the fake slaves report it, major.minor.
    ASSERT_TRUE(session.press_to(diagnostics.system_info_key, ids.system_info.mask)) << session.report();
    const std::string version = std::to_string(Fake_slave_replies::version_major) + "." +
                                std::to_string(Fake_slave_replies::version_minor);
    EXPECT_TRUE(session.vt().wait_for_output(
        "string " + std::to_string(ids.system_info.value_labels[1]) + " = \"" + version, wait_ms))
        << session.report();

    ASSERT_TRUE(session.press_to(ids.system_info.main_key, ids.main.mask)) << session.report();
    EXPECT_TRUE(session.answer("get data_store.diagnostics.showing_diagnostics", "showing_diagnostics = 0;"))
        << session.report();
    EXPECT_TRUE(session.stop()) << session.report();
}

}
