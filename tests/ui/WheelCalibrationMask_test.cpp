#include "platform/iso/VT_Input_number_obj.h"
#include "tests/ui/Calibration_screens_fixture.h"
#include "ui/screens/WheelCalibrationMask.h"

#include <gtest/gtest.h>

// The ground wheel calibration as the operator walks it from the wheel
// calibration settings screen, with the test counting the wheel pulses in
// the control core's place.
namespace {

class Wheel_calibration : public Calibration_screens {
protected:
    const Wheel_calibration_ids& own = ids.wheel_calibration;
    ds_internal& internal = rig.store.body.internal;
    ds_operation& operation = rig.store.body.operation;
    uint32_t& pulse_count = rig.store.body.vehicle.ground_speed_sensor.pulse_count;
    decltype(rig.parameters.app.wheel_cal_factor)& stored_factor = rig.parameters.app.wheel_cal_factor;

    WheelCalibrationMask& wizard()
    {
        return dynamic_cast<WheelCalibrationMask&>(*rig.man().find_screen("wheel_calibration_mask"));
    }
    // From the settings screen into the wizard, and Start.
    void start_drive()
    {
        show("wheel_calibration_settings_mask");
        press(ids.wheel_calibration_settings.calibrate_key);
        ASSERT_EQ(current(), "wheel_calibration_mask");
        press(own.start_key);
        ASSERT_EQ(get(internal.current_wheel_cal_step), WheelCalibrationMask::driving);
    }
    // Next after the drive, the distance typed in (tenths of the shown
    // unit), Next and Accept.
    void finish(uint32_t distance_raw)
    {
        press(own.next_key);
        enter(own.distance_input, distance_raw);
        press(own.next_key);
        press(own.accept_key);
    }
    // What the three soft-key places show: Start, Next, Accept.
    std::array<uint16_t, 3> key_places()
    {
        return {pointer_value(own.start_slot), pointer_value(own.next_slot), pointer_value(own.accept_slot)};
    }
};

constexpr uint16_t none = 0xFFFF;

}

TEST_F(Wheel_calibration, each_step_shows_its_key_and_instruction_and_runs_the_count_only_while_driving)
{
    stored_factor.set(0.3f);
    put(pulse_count, 55u); // left from the road
    show("wheel_calibration_settings_mask");
    press(ids.wheel_calibration_settings.calibrate_key);
    EXPECT_EQ(text(own.instruction), "Step 1/4) Press Start to begin calibration");
    EXPECT_EQ(key_places(), (std::array<uint16_t, 3>{own.start_key, none, none}));
    EXPECT_EQ(get(operation.calibration_state), 0);

    press(own.start_key);
    EXPECT_EQ(text(own.instruction), "Step 2/4) Drive forwards, stop, then press Next");
    EXPECT_EQ(key_places(), (std::array<uint16_t, 3>{none, own.next_key, none}));
    EXPECT_EQ(get(operation.calibration_state), WheelCalibrationMask::wheel_run);
    EXPECT_EQ(get(pulse_count), 0u);

    put(pulse_count, 400u);
    advance(1000);
    EXPECT_EQ(raw_value(own.pulses), 400u);
    EXPECT_EQ(raw_value(own.estimated_distance), 1200u) << "0.3 m a pulse: 120.0 m";

    press(own.next_key);
    EXPECT_EQ(text(own.instruction), "Step 3/4) Enter distance travelled, then press Next");
    EXPECT_EQ(key_places(), (std::array<uint16_t, 3>{none, own.next_key, none}));
    EXPECT_EQ(get(operation.calibration_state), 0);
    EXPECT_EQ(pointer_value(own.distance_pointer), own.distance_input) << "the distance is typed in now";

    enter(own.distance_input, 1000); // 100.0 m
    press(own.next_key);
    EXPECT_EQ(text(own.instruction), "Step 4/4) Calibration Complete, Accept to confirm, Cancel no change");
    EXPECT_EQ(key_places(), (std::array<uint16_t, 3>{none, none, own.accept_key}));
    EXPECT_EQ(pointer_value(own.distance_pointer), own.distance_output);
    EXPECT_EQ(raw_value(own.factor), 250u) << "100 m over 400 pulses";
    EXPECT_FLOAT_EQ(stored_factor.get(), 0.3f) << "stored only on Accept";

    press(own.next_key);
    EXPECT_EQ(get(internal.current_wheel_cal_step), WheelCalibrationMask::complete) << "no step after the last";
}

TEST_F(Wheel_calibration, accept_stores_distance_over_pulses_and_keeps_the_factor_without_either)
{
    const struct {
        uint32_t pulses;
        uint32_t distance_raw; // tenths of a metre
        float stored;
    } cases[] = {
        {2000, 1000, 0.05f},
        {2000, 0, 0.3f}, // no distance entered
        {0, 1000, 0.3f}, // the wheel never turned
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pulses);
        stored_factor.set(0.3f);
        start_drive();
        put(pulse_count, c.pulses);
        finish(c.distance_raw);
        EXPECT_FLOAT_EQ(stored_factor.get(), c.stored);
        EXPECT_EQ(current(), "wheel_calibration_settings_mask");
        EXPECT_EQ(get(internal.current_wheel_cal_step), WheelCalibrationMask::idle);
        EXPECT_EQ(get(operation.calibration_state), 0);
    }
}

TEST_F(Wheel_calibration, start_at_a_later_step_restarts_the_drive_with_a_fresh_count)
{
    for (uint32_t later : {WheelCalibrationMask::entering_distance, WheelCalibrationMask::complete}) {
        SCOPED_TRACE(later);
        start_drive();
        put(pulse_count, 300u);
        press(own.next_key);
        if (later == WheelCalibrationMask::complete)
            press(own.next_key);
        ASSERT_EQ(get(internal.current_wheel_cal_step), later);
        put(pulse_count, 500u);
        press(own.start_key);
        EXPECT_EQ(get(internal.current_wheel_cal_step), WheelCalibrationMask::driving);
        EXPECT_EQ(get(pulse_count), 0u);
        EXPECT_EQ(get(operation.calibration_state), WheelCalibrationMask::wheel_run);
    }
}

TEST_F(Wheel_calibration, cancel_stops_the_drive_and_at_the_first_step_leaves)
{
    stored_factor.set(0.3f);
    start_drive();
    put(pulse_count, 2000u);
    press(own.cancel_key);
    EXPECT_EQ(current(), "wheel_calibration_mask");
    EXPECT_EQ(get(internal.current_wheel_cal_step), WheelCalibrationMask::idle);
    EXPECT_EQ(get(operation.calibration_state), 0);
    EXPECT_EQ(raw_value(own.pulses), 0u);

    press(own.cancel_key);
    EXPECT_EQ(current(), "wheel_calibration_settings_mask");
    EXPECT_FLOAT_EQ(stored_factor.get(), 0.3f);
}

TEST_F(Wheel_calibration, an_alarm_screen_during_the_drive_leaves_the_count_running_for_the_factor)
{
    start_drive();
    put(pulse_count, 1200u);
    advance(1000);
    interrupt_by_alarm();
    EXPECT_EQ(get(pulse_count), 1200u) << "coming back to the drive keeps its pulses";
    EXPECT_EQ(get(operation.calibration_state), WheelCalibrationMask::wheel_run);
    put(pulse_count, 2000u); // the drive went on
    advance(1000);
    EXPECT_EQ(raw_value(own.pulses), 2000u);

    press(own.next_key);
    enter(own.distance_input, 1000);
    press(own.next_key);
    interrupt_by_alarm(1); // at the last step
    EXPECT_EQ(raw_value(own.factor), 50u);
    press(own.accept_key);
    EXPECT_FLOAT_EQ(stored_factor.get(), 0.05f) << "100 m over every pulse since Start";
}

TEST_F(Wheel_calibration, imperial_display_shows_feet_and_stores_metres)
{
    stored_factor.set(0.05f);
    rig.ui.get_units().set_system(Units_man::imperial);
    show("wheel_calibration_settings_mask");
    EXPECT_EQ(state<VT::Input_number_obj>(ids.wheel_calibration_settings.factor, [](auto& o) { return o.get_value(); }),
              164u)
        << "0.164 ft a pulse";
    press(ids.wheel_calibration_settings.calibrate_key);
    EXPECT_EQ(raw_value(own.factor), 164u);

    press(own.start_key);
    put(pulse_count, 1000u);
    advance(1000);
    EXPECT_EQ(raw_value(own.estimated_distance), 1640u) << "50 m is 164.0 ft";
    finish(6562); // 656.2 ft
    EXPECT_NEAR(stored_factor.get(), 656.2 * 0.3048 / 1000, 1e-7);
}

TEST_F(Wheel_calibration, calibrate_starts_at_the_first_step_wherever_the_wizard_was_left)
{
    start_drive();
    press(own.next_key);
    show("main"); // left at the third step
    show("wheel_calibration_settings_mask");
    press(ids.wheel_calibration_settings.calibrate_key);
    EXPECT_EQ(get(internal.current_wheel_cal_step), WheelCalibrationMask::idle);
    EXPECT_EQ(text(own.instruction), "Step 1/4) Press Start to begin calibration");
    EXPECT_EQ(key_places(), (std::array<uint16_t, 3>{own.start_key, none, none}));
}

TEST_F(Wheel_calibration, the_factor_typed_on_the_settings_screen_is_stored_at_once_within_its_range)
{
    stored_factor.set(0.3f);
    show("wheel_calibration_settings_mask");
    enter(ids.wheel_calibration_settings.factor, 125); // 0.125 m
    EXPECT_FLOAT_EQ(stored_factor.get(), 0.125f);
    enter(ids.wheel_calibration_settings.factor, 50001); // 50.001 m: refused
    EXPECT_FLOAT_EQ(stored_factor.get(), 0.125f);
}

TEST_F(Wheel_calibration, nothing_is_written_to_the_store_while_the_wizard_is_not_shown)
{
    show("wheel_calibration_settings_mask");
    put(pulse_count, 77u);
    rig.probe.follow(&operation, sizeof operation);
    rig.probe.follow(&rig.store.body.vehicle, sizeof rig.store.body.vehicle);
    for (uint32_t step : {WheelCalibrationMask::driving, WheelCalibrationMask::entering_distance,
                          WheelCalibrationMask::complete, WheelCalibrationMask::idle}) {
        SCOPED_TRACE(step);
        put(internal.current_wheel_cal_step, step); // from another display
        EXPECT_TRUE(rig.probe.take_changes().empty());
    }
    EXPECT_EQ(get(pulse_count), 77u);
}
