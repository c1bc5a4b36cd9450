#include "platform/iso/VT_Rectangle_obj.h"
#include "tests/ui/Calibration_screens_fixture.h"
#include "ui/screens/MultiTankCal1Mask.h"
#include "ui/screens/MultiTankCal2Mask.h"
#include "ui/screens/MultiTankCal3Mask.h"
#include "ui/screens/Operator_name.h"

#include <functional>
#include <string>

// Calibrating up to four tanks in one run on the code-built pool: step 1
// runs the calibration in the store while shown, step 2 takes the weights
// caught and step 3 stores the chosen factors.
namespace {

class Multi_tank_cal : public Calibration_screens {
protected:
    template <class S>
    S& screen(const char* key)
    {
        return dynamic_cast<S&>(*rig.man().find_screen(key));
    }
    MultiTankCal1Mask& step1() { return screen<MultiTankCal1Mask>("multi_tank_cal_1_mask"); }
    MultiTankCal3Mask& step3() { return screen<MultiTankCal3Mask>("multi_tank_cal_3_mask"); }
    // What step 1 and 2 leave in the store for tank t.
    void set_results(int t, float est, float revs, float act)
    {
        rig.store.head.set(record(t).cal_est_weight, est);
        rig.store.head.set(record(t).cal_act_revs, revs);
        rig.store.head.set(record(t).cal_act_weight, act);
    }
    bool marked(int t) { return get(operation().tank[t].calibrating_tank); }
    float cal_setting(int t) { return rig.parameters.app.channels[t]->cal_setting.get(); }
    float product_factor(int p) { return rig.parameters.app.products[p]->product_cal_factor.get(); }
};

}

TEST_F(Multi_tank_cal, step_3_shows_the_new_factor_and_the_difference_and_offers_a_choice_only_when_there_is_one)
{
    struct Case {
        float old_factor, est, revs, act;
        double new_factor, difference;
        bool ignore_shown; // the choice offered at first
        bool saved_by_save_all;
    };
    const Case cases[] = {
        {2.0f, 100, 50, 110, 2.2, 10.0, true, true},
        {2.0f, 100, 50, 90, 1.8, -10.0, true, true},
        // The catch weighed what was estimated: nothing to choose.
        {2.0f, 100, 50, 100, 2.0, 0.0, false, false},
        // No estimate (a tank without factor): a first factor may be saved.
        {0.0f, 0, 50, 100, 2.0, 0.0, true, true},
        // Nothing caught or nothing turned: no factor to save.
        {2.0f, 100, 50, 0, 0.0, 0.0, false, false},
        {0.0f, 0, 0, 100, 0.0, 0.0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "est " << c.est << " revs " << c.revs << " act " << c.act);
        set_tank(0, {});
        rig.parameters.app.channels[0]->cal_setting.set(c.old_factor);
        set_results(0, c.est, c.revs, c.act);
        show("multi_tank_cal_3_mask");
        MultiTankCal3Mask& screen = step3();
        EXPECT_NEAR(screen.new_factor[0].get_val(), c.new_factor, 1e-5);
        EXPECT_NEAR(screen.difference[0].get_val(), c.difference, 1e-4);
        EXPECT_EQ(screen.difference[0].get_raw(), int64_t(c.difference * 10));
        EXPECT_EQ(hidden(ids.multi_tank_cal3.ignore_groups[0]), !c.ignore_shown);
        EXPECT_TRUE(hidden(ids.multi_tank_cal3.save_groups[0]));
        EXPECT_FALSE(screen.is_saved(0)) << "every activation starts with ignore";

        press(ids.multi_tank_cal3.save_all_key);
        EXPECT_EQ(screen.is_saved(0), c.saved_by_save_all);
        EXPECT_EQ(hidden(ids.multi_tank_cal3.save_groups[0]), !c.saved_by_save_all);
        press(ids.multi_tank_cal3.clear_all_key);
        EXPECT_FALSE(screen.is_saved(0));
        show("main");
    }
}

TEST_F(Multi_tank_cal, exit_stores_the_saved_factors_in_the_tank_and_in_a_product_of_the_table_only)
{
    for (int product_number : {16, -1}) {
        SCOPED_TRACE(product_number);
        for (int t = 0; t < 3; ++t) {
            Tank tank;
            tank.cal_setting = 1.0f;
            tank.product_factor = 1.0f;
            tank.product_number = t == 1 ? product_number : t + 4;
            set_tank(t, tank);
            set_results(t, 100, 50, 110);
        }
        show("multi_tank_cal_3_mask");
        // The row button of the ignore state saves, the one of the save state ignores.
        press(ids.multi_tank_cal3.ignore_buttons[0]);
        press(ids.multi_tank_cal3.ignore_buttons[1]);
        press(ids.multi_tank_cal3.ignore_buttons[2]);
        press(ids.multi_tank_cal3_more.save_buttons[2]);
        press(ids.multi_tank_cal3.exit_key);

        EXPECT_EQ(current(), "product_settings_menu");
        EXPECT_FLOAT_EQ(cal_setting(0), 2.2f);
        EXPECT_FLOAT_EQ(product_factor(4), 2.2f);
        EXPECT_FLOAT_EQ(cal_setting(1), 2.2f) << "the tank keeps its factor without a product of the table";
        EXPECT_FLOAT_EQ(cal_setting(2), 1.0f);
        EXPECT_FLOAT_EQ(product_factor(6), 1.0f);
        for (int p = 0; p < 16; ++p) {
            if (p != 4 && p != 6) {
                EXPECT_FLOAT_EQ(product_factor(p), 0.0f) << "product " << p;
            }
        }
        for (int t = 0; t < 3; ++t)
            rig.parameters.app.channels[t]->cal_setting.set(1.0f);
    }
}

TEST_F(Multi_tank_cal, leaving_step_1_any_way_stops_the_run_and_gives_the_master_clutch_back)
{
    struct Way {
        const char* name;
        std::function<void()> leave;
        std::string then_shown; // empty: an alarm mask
    };
    const Way ways[] = {
        {"Product Settings", [this] { press(ids.multi_tank_cal1.product_settings_key); },
         "product_settings_menu"},
        {"Main Screen", [this] { press(ids.multi_tank_cal1.main_key); }, "main"},
        {"Next", [this] { press(ids.multi_tank_cal1.next_key); }, "multi_tank_cal_2_mask"},
        {"an alarm", [this] { raise_alarm(); }, ""},
    };
    Tank actuator;
    actuator.drive = 1;
    set_tank(0, actuator);
    set_tank(1, {});
    Tank liquid;
    liquid.mode = 1;
    set_tank(2, liquid);
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        rig.parameters.app.using_master_clutch.set(true);
        show("multi_tank_cal_1_mask");
        EXPECT_EQ(get(operation().calibration_state), 1);
        EXPECT_TRUE(marked(0));
        EXPECT_TRUE(marked(1));
        EXPECT_FALSE(marked(2)) << "a liquid tank takes no part";
        EXPECT_FALSE(rig.parameters.app.using_master_clutch.get()) << "suspended for the actuator tank";

        way.leave();
        if (!way.then_shown.empty()) {
            EXPECT_EQ(current(), way.then_shown);
        }
        EXPECT_EQ(get(operation().calibration_state), 0);
        for (int t = 0; t < 4; ++t)
            EXPECT_FALSE(marked(t)) << t;
        EXPECT_TRUE(rig.parameters.app.using_master_clutch.get());
        if (way.then_shown.empty())
            acknowledge_alarm();
        show("main");
    }
}

TEST_F(Multi_tank_cal, rows_of_tanks_taking_no_part_stay_hidden_yet_next_writes_their_three_fields)
{
    set_tank(0, {});
    Tank disabled;
    disabled.enabled = false;
    set_tank(1, disabled);
    Tank no_product;
    no_product.product = false;
    set_tank(2, no_product);
    Tank liquid;
    liquid.mode = 1;
    set_tank(3, liquid);
    Operator_name::store_typed(rig.parameters.app.channels[0]->name, "  Oats");
    Operator_name::store_typed(rig.parameters.app.channels[1]->name, " ");
    show("multi_tank_cal_1_mask");
    EXPECT_EQ(text(ids.multi_tank_cal1.names[0]), "Oats");
    EXPECT_EQ(text(ids.multi_tank_cal1.names[1]), ".......");
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(hidden(ids.multi_tank_cal1.rows[t]), t != 0) << t;
        EXPECT_EQ(marked(t), t == 0) << t;
        set_pulses(t, 1000 * uint32_t(t + 1)); // 50, 100, 150 and 200 revolutions at 20 a turn
    }
    advance(MultiTankCal1Mask::period_ms);
    EXPECT_DOUBLE_EQ(step1().revs[0].get_val(), 50.0);
    EXPECT_DOUBLE_EQ(step1().estimate[0].get_val(), 25.0);

    press(ids.multi_tank_cal1.next_key);
    EXPECT_EQ(current(), "multi_tank_cal_2_mask");
    for (int t = 0; t < 4; ++t) {
        SCOPED_TRACE(t);
        EXPECT_FLOAT_EQ(get(record(t).cal_act_revs), 50.0f * float(t + 1));
        EXPECT_FLOAT_EQ(get(record(t).cal_est_weight), 25.0f * float(t + 1));
        EXPECT_FLOAT_EQ(get(record(t).cal_act_weight), -1.0f);
        EXPECT_EQ(hidden(ids.multi_tank_cal2.rows[t]), t != 0);
    }
}

TEST_F(Multi_tank_cal, the_switch_boxes_take_the_row_buttons_and_the_master_key_from_the_screen)
{
    struct Case {
        uint8_t cal_swbox_type, remote_master_mode;
        bool row_buttons_work, master_key_works;
    };
    const Case cases[] = {{0, 0, true, true}, {2, 0, false, true}, {1, 1, true, false}};
    set_tank(0, {});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.cal_swbox_type) << " " << int(c.remote_master_mode));
        rig.parameters.app.swbox_cal_swbox_type.set(c.cal_swbox_type);
        rig.parameters.app.swbox_remote_master_mode.set(c.remote_master_mode);
        rig.store.head.set(record(0).active, false);
        rig.store.head.set(operation().master_switch_active, false);
        show("multi_tank_cal_1_mask");
        EXPECT_FALSE(hidden(ids.multi_tank_cal1.off_groups[0]));
        EXPECT_TRUE(hidden(ids.multi_tank_cal1.on_groups[0]));

        press(ids.multi_tank_cal1.off_buttons[0]);
        EXPECT_EQ(get(record(0).active), c.row_buttons_work);
        EXPECT_EQ(hidden(ids.multi_tank_cal1.on_groups[0]), !c.row_buttons_work);
        press(ids.multi_tank_cal1.master_key);
        EXPECT_EQ(get(operation().master_switch_active), c.master_key_works);
        const uint16_t fill = state<VT::Rectangle_obj>(ids.multi_tank_cal1.master_indicator,
                                                       [](auto& o) { return o.get_fill_attributes(); });
        EXPECT_EQ(fill, c.master_key_works ? ids.main.fill_green.oid : ids.main.fill_red.oid);
        show("main");
    }
}

TEST_F(Multi_tank_cal, a_run_interrupted_by_an_alarm_counts_on_from_where_it_was_and_stores_the_factor_of_every_pulse)
{
    Tank tank;
    tank.cal_setting = 0.5f;
    tank.encoder_ratio = 20.0f;
    set_tank(0, tank);
    show("multi_tank_cal_1_mask");
    set_pulses(0, 600);
    advance(MultiTankCal1Mask::period_ms);

    raise_alarm();
    EXPECT_EQ(get(operation().calibration_state), 0);
    acknowledge_alarm();
    EXPECT_EQ(current(), "multi_tank_cal_1_mask");
    EXPECT_EQ(pulses(0), 600u) << "coming back does not restart the count";
    EXPECT_EQ(get(operation().calibration_state), 1);
    EXPECT_TRUE(marked(0));

    set_pulses(0, 1000); // 50 revolutions since the run began
    press(ids.multi_tank_cal1.next_key);
    EXPECT_FLOAT_EQ(get(record(0).cal_act_revs), 50.0f);
    EXPECT_FLOAT_EQ(get(record(0).cal_est_weight), 25.0f);

    // Step 2: the weight caught, 27.5 kg, survives an alarm too.
    auto& step2 = dynamic_cast<MultiTankCal2Mask&>(*rig.man().get_current_screen());
    EXPECT_DOUBLE_EQ(step2.estimate[0].get_val(), 25.0);
    enter(ids.multi_tank_cal2.actual_inputs[0], 27500);
    raise_alarm();
    acknowledge_alarm();
    EXPECT_DOUBLE_EQ(step2.actual[0].get_val(), 27.5);
    press(ids.multi_tank_cal2.next_key);

    EXPECT_EQ(current(), "multi_tank_cal_3_mask");
    EXPECT_NEAR(step3().difference[0].get_val(), 10.0, 1e-4);
    press(ids.multi_tank_cal3.save_all_key);
    press(ids.multi_tank_cal3.exit_key);
    EXPECT_FLOAT_EQ(cal_setting(0), 0.55f);
    EXPECT_FLOAT_EQ(product_factor(0), 0.55f);

    // Entered again from the menu, the next run starts from nothing.
    show("multi_tank_cal_1_mask");
    EXPECT_EQ(pulses(0), 0u);
}

TEST_F(Multi_tank_cal, reset_restarts_the_counts_and_the_style_key_swaps_target_and_preset)
{
    Tank actuator;
    actuator.drive = 1;
    set_tank(0, actuator);
    set_tank(1, {});
    show("multi_tank_cal_1_mask");
    EXPECT_EQ(pointer_value(ids.multi_tank_cal1.key_slots[5]), ids.multi_tank_cal1.cal_style_key.oid)
        << "offered with an actuator tank taking part";
    EXPECT_TRUE(hidden(ids.multi_tank_cal1.rate_groups[0]));
    EXPECT_FALSE(hidden(ids.multi_tank_cal1.preset_groups[0]));
    EXPECT_FALSE(hidden(ids.multi_tank_cal1.rate_groups[1]));
    press(ids.multi_tank_cal1.cal_style_key);
    EXPECT_FALSE(hidden(ids.multi_tank_cal1.rate_groups[0]));
    EXPECT_TRUE(hidden(ids.multi_tank_cal1.preset_groups[0]));

    set_pulses(0, 400);
    set_pulses(1, 400);
    press(ids.multi_tank_cal1.reset_key);
    EXPECT_EQ(pulses(0), 0u);
    EXPECT_EQ(pulses(1), 0u);
    EXPECT_EQ(step1().revs[0].get_val(), 0.0);
    // The entries: the target rate into the store, the preset into the parameters.
    enter(ids.multi_tank_cal1.targets[1], 1234); // 123.4 kg/ha
    EXPECT_DOUBLE_EQ(get(record(1).requested_rate), 123.4);
    enter(ids.multi_tank_cal1.preset_inputs[0], 40);
    EXPECT_EQ(rig.parameters.app.cal_to_preset_value.get(), 40);

    show("main");
    set_tank(0, {});
    show("multi_tank_cal_1_mask");
    EXPECT_EQ(pointer_value(ids.multi_tank_cal1.key_slots[5]), Screen::NULL_ID);
}
