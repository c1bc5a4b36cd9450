// An operator at the fake VT working kx4's screens, kx4 and the others run
// as processes: the operating screen's keys reaching the slave processor's
// drive, an alarm mask coming up and acknowledged, a setting entered.
#include "tests/app/App_fixture.h"
#include "tests/app/Kx4_driving.h"
#include "tests/app/Kx4_vt_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

namespace {

constexpr int wait_ms = Kx4_vt_session::wait_ms;

TEST(Kx4_vt_operator, rate_keys_tank_and_master_drive_the_slave_and_a_silent_slave_brings_up_its_alarm_mask)
{
    Kx4_vt_session session({true, [](NV_quvel::parameters_t& stored) {
                                // The first product is on tank 1: the operating
                                // screen tells the control core at its start.
                                stored.app.products[0]->tank.set(0);
                            }});
    Tractor tractor(session.hub().isobus(), 1500); // 5.4 km/h
    ASSERT_TRUE(tractor.running());
    ASSERT_TRUE(session.start()) << session.report();
    const Seeder_pool_ids& ids = session.ids();

    // Tank 1 granular on a motor drive: 20 pulses a shaft turn (gear 10,
    // plain encoder), 0.5 kg a turn, 6 m wide, at the tractor's speed.
    for (const char* line :
         {"set params.app.machine_width=6", "set params.app.speed_source=4", "set params.app.channels.0.mode=0",
          "set params.app.channels.0.granular_controller_type=0", "set params.app.channels.0.motor_pulse_encoder=0",
          "set params.app.channels.0.motor_gear_ratio=10", "set params.app.channels.0.cal_setting=0.5",
          "set params.app.channels.0.rate_increment=5", "set params.app.channels.0.enabled=1",
          "set data_store.channels.channels.0.requested_rate=100"})
        ASSERT_TRUE(session.console(line));
    ASSERT_TRUE(session.answer("get data_store.vehicle.speed", "speed = 1.5;")) << session.report();
    ASSERT_TRUE(session.answer("get data_store.channels.channels.0.product_assigned", "product_assigned = 1;"))
        << session.report();

    const std::string channel = "get data_store.channels.channels.0.";
    ASSERT_TRUE(session.enter_number(ids.main.tank_list, 0)) << session.report();
    EXPECT_TRUE(session.answer(channel + "selected", "selected = 1;")) << session.report();
    ASSERT_TRUE(session.press_until(ids.main.tank_on_off_key, channel + "active", 1)) << session.report();
    ASSERT_TRUE(session.press_until(ids.main.master_key, "get data_store.operation.master_switch_active", 1))
        << session.report();
    ASSERT_TRUE(session.press_until(ids.main.increase_key, channel + "requested_rate", 105)) << session.report();
    ASSERT_TRUE(session.press_until(ids.main.increase_key, channel + "requested_rate", 110)) << session.report();
    EXPECT_EQ(session.value(channel + "active"), 1);
    EXPECT_EQ(session.value("get data_store.operation.master_switch_active"), 1);

    // 110 kg/ha x 6 m x 5.4 km/h x 20 pulses a turn / (0.5 kg a turn x 600)
    // = 237.6 pulses a minute: a pulse every 60e6 / 237.6 = 252525.25 us. The
    // drive target carries half of it in 2 us counts.
    EXPECT_TRUE(session.answer(channel + "set_period", "set_period = 252525;")) << session.report();
    EXPECT_NE(wait_for_line(session.slaves(), {"request to 50 command 2:", "(channel 1 period 126262 flags 1)"}),
              "")
        << session.report();

    // The first drive slave falls silent: the no-comms alarm's mask comes up
    // at once over the operating screen (within two seconds: some slack for
    // a loaded machine), and a key there acknowledges it.
    ASSERT_TRUE(session.acknowledge_alarms()) << session.report();
    const uint16_t no_comms = Kx4_vt_session::fixed_object("alarm_mask_NO_COMMS");
    ASSERT_TRUE(session.slaves().write_input("silent 50,51\n"));
    ASSERT_TRUE(session.answer("get data_store.alarms.no_comms.active", "active = 1;")) << session.report();
    const auto active = std::chrono::steady_clock::now();
    ASSERT_TRUE(session.wait_for_mask(no_comms)) << session.report();
    EXPECT_LT(std::chrono::steady_clock::now() - active, std::chrono::milliseconds(2000 + 3000));
    ASSERT_TRUE(session.press(Kx4_vt_session::alarm_key()));
    EXPECT_TRUE(session.answer("get data_store.alarms.no_comms.acknowledged", "acknowledged = 1;"))
        << session.report();
    EXPECT_TRUE(session.wait_for_mask(ids.main.mask)) << session.report();

    EXPECT_TRUE(session.stop()) << session.report();
}

TEST(Kx4_vt_operator, a_new_width_on_its_settings_screen_reloads_the_task_controller_once_and_the_same_width_never)
{
    Kx4_vt_session session({});
    ASSERT_TRUE(session.start()) << session.report();
    const Seeder_pool_ids& ids = session.ids();
    ASSERT_TRUE(session.open_seeder_setting(5, ids.width_and_speed.mask)) << session.report();

    // 0.9 m in the field's steps of 1 mm: a width a float cannot hold
    // exactly, so that entering it again compares the stored float with the
    // entry's double.
    const std::string reload = "TC Reload required!!\n";
    EXPECT_EQ(count_of(session.kx4().output(), reload), 0u);
    ASSERT_TRUE(session.enter_number(ids.width_and_speed.width, 900));
    EXPECT_TRUE(session.answer("get params.app.machine_width", "machine_width = 0.9")) << session.report();
    EXPECT_TRUE(wait_for_count(session.kx4(), reload, 1, wait_ms)) << session.report();
    std::string shown;
    EXPECT_TRUE(session.wait_for_shown(ids.width_and_speed.width, "0.900", &shown)) << shown << session.report();
    // The VT takes no width above the field's 100 m.
    EXPECT_TRUE(session.enter_refused_number(ids.width_and_speed.width, 100001)) << session.report();

    // The same width again, then a manual speed of 10 km/h (0.1 km/h steps):
    // once the speed is stored the interface has handled the width, and once
    // the reload flag reads clear the main loop has heard of any change.
    ASSERT_TRUE(session.enter_number(ids.width_and_speed.width, 900));
    ASSERT_TRUE(session.enter_number(ids.width_and_speed.manual_speed, 100));
    EXPECT_TRUE(session.answer("get params.app.manual_speed", "manual_speed = 10")) << session.report();
    EXPECT_TRUE(session.answer("get data_store.system.reset_tc", "reset_tc = 0;")) << session.report();
    EXPECT_EQ(count_of(session.kx4().output(), reload), 1u) << session.report();
    EXPECT_EQ(count_of(session.kx4().output(), "new machine width="), 1u) << session.report();

    EXPECT_TRUE(session.stop()) << session.report();
}

TEST(Kx4_vt_operator, a_wheel_calibration_stores_the_distance_over_the_pulses_counted_since_start)
{
    Kx4_vt_session session({true, nullptr});
    ASSERT_TRUE(session.start()) << session.report();
    const Seeder_pool_ids& ids = session.ids();
    const Wheel_calibration_ids& wizard = ids.wheel_calibration;
    ASSERT_TRUE(session.open_seeder_setting(3, ids.wheel_calibration_settings.mask)) << session.report();
    ASSERT_TRUE(session.press_to(ids.wheel_calibration_settings.calibrate_key, wizard.mask)) << session.report();

    // The wheel sensor's replies count 2 pulses each while the run goes.
    const std::string step = "get data_store.internal.current_wheel_cal_step";
    ASSERT_TRUE(session.press_until(wizard.start_key, step, 1)) << session.report();
    EXPECT_EQ(session.value("get data_store.operation.calibration_state"), 2);
    double pulses = 0;
    EXPECT_TRUE(wait_for_value(
        session.kx4(), "get data_store.vehicle.ground_speed_sensor.pulse_count", [](double v) { return v >= 20; },
        &pulses))
        << pulses << "\n"
        << session.report();
    ASSERT_TRUE(session.press_until(wizard.next_key, step, 2)) << session.report();
    EXPECT_TRUE(session.answer("get data_store.operation.calibration_state", "calibration_state = 0;"));
    // The wizard's last reading, as it shows it: at least what was counted before Next.
    uint32_t counted = 0;
    ASSERT_TRUE(session.wait_for_value(wizard.pulses, [&](uint32_t v) { return v >= pulses; }, &counted))
        << counted << " of at least " << pulses << "\n"
        << session.report();

    // 100 m in the field's steps of 0.1 m.
    ASSERT_TRUE(session.enter_number(wizard.distance_input, 1000));
    ASSERT_TRUE(session.press_until(wizard.next_key, step, 3)) << session.report();
    ASSERT_TRUE(session.press_to(wizard.accept_key, ids.wheel_calibration_settings.mask)) << session.report();
    double factor = 0;
    EXPECT_TRUE(wait_for_value(
        session.kx4(), "get params.app.wheel_cal_factor",
        [&](double v) { return std::fabs(v - 100.0 / double(counted)) < 1e-6; }, &factor))
        << factor << " for " << counted << " pulses\n"
        << session.report();
    EXPECT_EQ(session.value("get data_store.operation.calibration_state"), 0);

    EXPECT_TRUE(session.stop()) << session.report();
}

}
