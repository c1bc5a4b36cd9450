#include "platform/iso/VT_Container_obj.h"
#include "tests/ui/Calibration_screens_fixture.h"
#include "ui/screens/TankCalibrationSettingsMask.h"

#include <gtest/gtest.h>

// The calibration run of one tank as the operator starts it from the
// product settings screen, with the test counting the shaft pulses in the
// control core's place.
namespace {

using Wizard = TankCalibrationSettingsMask;
constexpr uint16_t none = 0xFFFF;

class Tank_calibration : public Calibration_screens {
protected:
    const Tank_calibration_ids& own = ids.tank_calibration;
    ds_internal& internal = rig.store.body.internal;
    ds_operation& operation = rig.store.body.operation;
    NV_quvel::application_t& app = rig.parameters.app;

    NV_quvel::channel_t& channel(int t) { return *app.channels[t]; }
    NV_quvel::products_t& product(int p) { return *app.products[p]; }
    ds_channel& store_channel(int t) { return rig.store.body.channels.channels[t]; }
    uint32_t& shaft_pulses(int t) { return rig.store.body.diagnostics.shaft[t].pulse_count; }

    // Product 0 on tank 1 of the given type and drive, its factor 0.3, and
    // the wizard opened from the product's Calibrate button.
    void open(uint8_t mode = Seeder_tanks::granular, uint8_t drive = Seeder_tanks::electric_drive)
    {
        channel(0).enabled.set(true);
        channel(0).mode.set(mode);
        channel(0).granular_controller_type.set(drive);
        channel(0).cal_setting.set(0.3f);
        product(0).tank.set(0);
        product(0).product_cal_factor.set(0.3f);
        put(store_channel(0).encoder_ratio, 50.0f);
        put(internal.current_tank_cal_step, Wizard::complete); // left there last time
        show("product_settings_mask");
        press(ids.product_settings.cal_factor_button);
        ASSERT_EQ(current(), "tank_calibration_settings_mask");
        ASSERT_EQ(get(internal.current_tank_cal_step), Wizard::idle);
    }
    // Next after the run, the weight typed in (the VT's raw number), Next.
    void weigh(uint32_t weight_raw)
    {
        press(own.next_key);
        enter(own.weight_input, weight_raw);
        press(own.next_key);
    }
    // What soft-key places 1 to 4 show.
    std::array<uint16_t, 4> places()
    {
        std::array<uint16_t, 4> shown;
        for (size_t i = 0; i < shown.size(); ++i)
            shown[i] = pointer_value(own.key_slots[i]);
        return shown;
    }
    bool hidden(uint16_t container)
    {
        return state<VT::Container_obj>(container, [](auto& o) { return o.get_hidden(); });
    }
};

}

TEST_F(Tank_calibration, a_granular_run_from_start_to_accept_stores_weight_per_revolution_in_product_and_tank)
{
    open();
    EXPECT_EQ(text(own.instruction), "Step 1/4) Press Start to begin calibration");
    EXPECT_EQ(places(), (std::array<uint16_t, 4>{own.start_key, none, none, none}));
    EXPECT_EQ(pointer_value(own.product_settings_slot), own.product_settings_key);
    EXPECT_EQ(raw_value(own.tank_number), 1u);
    EXPECT_EQ(text(own.revs_label), "Revs");
    put(store_channel(2).active, true);
    put(shaft_pulses(0), 77u);

    press(own.start_key);
    EXPECT_EQ(text(own.instruction), "Step 2/4) When sufficient product dispenses, press Next");
    EXPECT_EQ(places(), (std::array<uint16_t, 4>{none, own.next_key, own.cancel_key, none}));
    EXPECT_EQ(pointer_value(own.product_settings_slot), none);
    EXPECT_EQ(get(operation.calibration_state), Wizard::tank_run);
    EXPECT_TRUE(get(operation.tank[0].calibrating_tank));
    EXPECT_TRUE(get(operation.master_switch_active));
    EXPECT_TRUE(get(store_channel(0).active));
    EXPECT_FALSE(get(store_channel(2).active)) << "only the calibrated tank runs";
    EXPECT_EQ(get(shaft_pulses(0)), 0u);

    put(shaft_pulses(0), 1000u);
    advance(1000);
    EXPECT_EQ(raw_value(own.revs), 200u) << "1000 pulses at 50 a turn: 20.0 turns";
    EXPECT_EQ(raw_value(own.estimated_weight), 6000u) << "0.3 kg a turn: 6.000 kg";

    press(own.next_key);
    EXPECT_EQ(text(own.instruction), "Step 3/4) Enter the weight collected, then press Next");
    EXPECT_EQ(get(operation.calibration_state), 0);
    EXPECT_FALSE(get(operation.tank[0].calibrating_tank));
    EXPECT_FALSE(get(operation.master_switch_active));
    EXPECT_FALSE(get(store_channel(0).active));
    EXPECT_EQ(pointer_value(own.weight_pointer), own.weight_input) << "the weight is typed in now";

    enter(own.weight_input, 2500); // 2.500 kg
    press(own.next_key);
    EXPECT_EQ(text(own.instruction), "Step 4/4) Calibration Complete, Accept to confirm, Cancel no change");
    EXPECT_EQ(places(), (std::array<uint16_t, 4>{none, none, own.cancel_key, own.accept_key}));
    EXPECT_EQ(raw_value(own.cal_factor_output), 125u);
    press(own.next_key);
    EXPECT_EQ(get(internal.current_tank_cal_step), Wizard::complete) << "no step after the last";

    press(own.accept_key);
    EXPECT_FLOAT_EQ(product(0).product_cal_factor.get(), 0.125f);
    EXPECT_FLOAT_EQ(channel(0).cal_setting.get(), 0.125f);
    EXPECT_EQ(current(), "product_settings_mask");
    EXPECT_EQ(get(internal.current_tank_cal_step), Wizard::idle);
}

TEST_F(Tank_calibration, the_factor_by_tank_type_and_an_empty_weighing_keeps_the_stored_one)
{
    const struct {
        uint8_t mode;
        uint32_t pulses;
        uint32_t weight_raw;
        const char* label;
        float stored;
    } cases[] = {
        {Seeder_tanks::granular, 1000, 2500, "Revs", 0.125f}, // 20 turns, 2.500 kg
        {Seeder_tanks::liquid, 1000, 2500, "Pulses", 400.0f}, // 1000 pulses over 2.500 l
        {Seeder_tanks::granular, 1000, 0, "Revs", 0.3f},      // nothing weighed
        {Seeder_tanks::granular, 0, 2500, "Revs", 0.3f},      // the shaft never turned
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.mode) << " " << c.pulses << " " << c.weight_raw);
        open(c.mode);
        EXPECT_EQ(text(own.revs_label), c.label);
        press(own.start_key);
        put(shaft_pulses(0), c.pulses);
        weigh(c.weight_raw);
        press(own.accept_key);
        EXPECT_FLOAT_EQ(product(0).product_cal_factor.get(), c.stored);
        EXPECT_FLOAT_EQ(channel(0).cal_setting.get(), c.stored);
    }
}

TEST_F(Tank_calibration, cancel_stops_the_run_and_stays_and_start_later_restarts_it_from_zero)
{
    open();
    press(own.start_key);
    put(shaft_pulses(0), 500u);
    press(own.cancel_key);
    EXPECT_EQ(current(), "tank_calibration_settings_mask");
    EXPECT_EQ(get(internal.current_tank_cal_step), Wizard::idle);
    EXPECT_EQ(get(operation.calibration_state), 0);
    EXPECT_FALSE(get(operation.tank[0].calibrating_tank));
    EXPECT_FALSE(get(store_channel(0).active));
    EXPECT_EQ(raw_value(own.revs), 0u);

    press(own.start_key);
    put(shaft_pulses(0), 500u);
    weigh(1000);
    put(shaft_pulses(0), 900u);
    press(own.start_key); // at the last step
    EXPECT_EQ(get(internal.current_tank_cal_step), Wizard::dispensing);
    EXPECT_EQ(get(shaft_pulses(0)), 0u);
    EXPECT_EQ(get(operation.calibration_state), Wizard::tank_run);
    EXPECT_FLOAT_EQ(product(0).product_cal_factor.get(), 0.3f) << "nothing stored without Accept";
}

TEST_F(Tank_calibration, an_alarm_screen_during_the_run_or_after_it_leaves_the_factor_to_the_whole_run)
{
    open();
    press(own.start_key);
    put(shaft_pulses(0), 600u);
    advance(1000);
    interrupt_by_alarm();
    EXPECT_EQ(get(shaft_pulses(0)), 600u) << "coming back to the run keeps its pulses";
    EXPECT_EQ(get(operation.calibration_state), Wizard::tank_run);
    EXPECT_TRUE(get(store_channel(0).active));
    put(shaft_pulses(0), 1000u); // the run went on

    weigh(2500);
    interrupt_by_alarm(1); // at the last step
    EXPECT_EQ(raw_value(own.cal_factor_output), 125u);
    press(own.accept_key);
    EXPECT_FLOAT_EQ(product(0).product_cal_factor.get(), 0.125f) << "2.5 kg over every turn since Start";
}

TEST_F(Tank_calibration, the_switch_boxes_keep_the_master_and_tank_switches_they_own)
{
    const struct {
        uint8_t cal_box, external_box, remote_master;
        bool master_on, tank_on;
    } cases[] = {
        {0, 0, 0, true, true},   {1, 0, 0, false, true}, {2, 0, 0, false, false},
        {0, 1, 0, true, false},  {0, 0, 1, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.cal_box) << int(c.external_box) << int(c.remote_master));
        app.swbox_cal_swbox_type.set(c.cal_box);
        app.swbox_external_swbox_type.set(c.external_box);
        app.swbox_remote_master_mode.set(c.remote_master);
        put(operation.master_switch_active, false);
        open();
        put(store_channel(0).active, false);
        press(own.start_key);
        EXPECT_EQ(get(operation.master_switch_active), c.master_on);
        EXPECT_EQ(get(store_channel(0).active), c.tank_on);

        // The switches on, as their owner set them: stopping the run
        // switches off only what the screen owns.
        put(operation.master_switch_active, true);
        put(store_channel(0).active, true);
        put(store_channel(1).active, true);
        press(own.cancel_key);
        EXPECT_EQ(get(operation.master_switch_active), c.remote_master != 0);
        EXPECT_EQ(get(store_channel(0).active), c.external_box != 0);
        EXPECT_EQ(get(store_channel(1).active), c.external_box != 0);
    }
}

TEST_F(Tank_calibration, cal_style_toggles_an_actuator_tank_between_set_rate_and_a_fixed_extension)
{
    put(store_channel(0).requested_rate, 120.0);
    open(Seeder_tanks::granular, Seeder_tanks::actuator_drive);
    EXPECT_EQ(pointer_value(own.cal_style_slot), own.cal_style_key);
    EXPECT_FALSE(hidden(own.set_rate_group));
    EXPECT_TRUE(hidden(own.extension_group));
    EXPECT_EQ(state<VT::Input_number_obj>(own.set_rate, [](auto& o) { return o.get_value(); }), 1200u);

    press(own.cal_style_key);
    EXPECT_EQ(app.cal_to_preset_value.get(), 1);
    EXPECT_TRUE(hidden(own.set_rate_group));
    EXPECT_FALSE(hidden(own.extension_group));
    EXPECT_EQ(state<VT::Input_number_obj>(own.extension, [](auto& o) { return o.get_value(); }), 1u);
    enter(own.extension, 40);
    EXPECT_EQ(app.cal_to_preset_value.get(), 40);

    press(own.cal_style_key);
    EXPECT_EQ(app.cal_to_preset_value.get(), 0);
    EXPECT_FALSE(hidden(own.set_rate_group));
    EXPECT_TRUE(hidden(own.extension_group));

    press(own.start_key);
    EXPECT_EQ(pointer_value(own.cal_style_slot), none) << "the style is chosen before the run";
    open(Seeder_tanks::granular, Seeder_tanks::electric_drive);
    EXPECT_EQ(pointer_value(own.cal_style_slot), none);
}

TEST_F(Tank_calibration, an_edited_factor_or_set_rate_is_stored_at_once)
{
    open();
    enter(own.cal_factor_input, 450); // 0.450 kg a turn
    EXPECT_FLOAT_EQ(product(0).product_cal_factor.get(), 0.45f);
    EXPECT_FLOAT_EQ(channel(0).cal_setting.get(), 0.45f);
    enter(own.set_rate, 855); // 85.5 kg/ha
    EXPECT_DOUBLE_EQ(get(store_channel(0).requested_rate), 85.5);
}

TEST_F(Tank_calibration, the_master_clutch_is_suspended_for_an_actuator_tank_while_shown_and_restored_on_leaving)
{
    const struct {
        bool clutch;
        uint8_t act_cal_mode;
        uint8_t drive;
        bool while_shown;
    } cases[] = {
        {true, 0, Seeder_tanks::actuator_drive, false},
        {true, 1, Seeder_tanks::actuator_drive, true},
        {true, 0, Seeder_tanks::electric_drive, true},
        {false, 0, Seeder_tanks::actuator_drive, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.clutch << int(c.act_cal_mode) << int(c.drive));
        app.using_master_clutch.set(c.clutch);
        channel(0).act_cal_mode.set(c.act_cal_mode);
        open(Seeder_tanks::granular, c.drive);
        EXPECT_EQ(app.using_master_clutch.get(), c.while_shown);
        press(own.product_settings_key);
        EXPECT_EQ(current(), "product_settings_mask");
        EXPECT_EQ(app.using_master_clutch.get(), c.clutch);
    }
}

TEST_F(Tank_calibration, a_product_on_no_tank_or_indexes_beyond_the_records_write_no_channel)
{
    app.using_master_clutch.set(true);
    channel(0).granular_controller_type.set(Seeder_tanks::actuator_drive);
    product(0).tank.set(Seeder_tanks::no_tank);
    put(internal.current_product_index, 0u);
    put(internal.current_tank_cal_index, 0u);
    show("tank_calibration_settings_mask");
    EXPECT_TRUE(app.using_master_clutch.get()) << "no tank, no clutch to suspend";
    enter(own.cal_factor_input, 450);
    EXPECT_FLOAT_EQ(product(0).product_cal_factor.get(), 0.45f);
    for (int t = 0; t < 10; ++t)
        EXPECT_FLOAT_EQ(channel(t).cal_setting.get(), 0.0f) << t;

    // Indexes another display stored: the screen shows, runs nothing and
    // writes nowhere.
    put(internal.current_product_index, 16u);
    put(internal.current_tank_cal_index, 10u);
    rig.probe.follow(&operation, sizeof operation);
    rig.probe.follow(&rig.store.body.channels, sizeof rig.store.body.channels);
    show("tank_calibration_settings_mask");
    press(own.start_key);
    enter(own.set_rate, 855);
    press(own.accept_key);
    EXPECT_TRUE(rig.probe.take_changes().empty());
    EXPECT_EQ(current(), "product_settings_mask");
}

TEST_F(Tank_calibration, nothing_is_written_to_the_store_while_the_wizard_is_not_shown)
{
    open();
    show("product_settings_mask");
    rig.probe.follow(&operation, sizeof operation);
    rig.probe.follow(&rig.store.body.channels, sizeof rig.store.body.channels);
    rig.probe.follow(&rig.store.body.diagnostics, sizeof rig.store.body.diagnostics);
    for (uint32_t step : {Wizard::dispensing, Wizard::weighing, Wizard::complete, Wizard::idle}) {
        SCOPED_TRACE(step);
        put(internal.current_tank_cal_step, step); // from another display
        EXPECT_TRUE(rig.probe.take_changes().empty());
    }
}
