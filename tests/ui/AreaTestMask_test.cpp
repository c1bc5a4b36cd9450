#include "tests/ui/Calibration_screens_fixture.h"
#include "ui/screens/AreaTestMask.h"

// The area test on the code-built pool with the manual clock: the area
// covered grows every 100 ms from the manual speed and the machine width
// while the test runs, and the screen drives the control core through the
// store.
namespace {

class Area_test : public Calibration_screens {
protected:
    void SetUp() override
    {
        Calibration_screens::SetUp();
        rig.parameters.app.manual_speed.set(10.0f); // km/h
        rig.parameters.app.machine_width.set(12.0f); // m: 3.333 m² a tick
    }
    AreaTestMask& screen() { return dynamic_cast<AreaTestMask&>(*rig.man().find_screen("area_test_mask")); }
    uint32_t step() { return get(rig.store.body.internal.current_area_test_step); }
    void ticks(int n) { advance(AreaTestMask::period_ms, n); }
    std::string instruction() { return text(ids.area_test.instruction); }
    bool master() { return get(operation().master_switch_active); }
};

}

TEST_F(Area_test, ten_km_h_over_twelve_metres_complete_a_fifth_of_a_hectare_after_600_ticks)
{
    Tank tank;
    tank.cal_setting = 0.5f;
    tank.encoder_ratio = 20.0f;
    set_tank(0, tank);
    show("area_test_mask");
    EXPECT_EQ(instruction(), "Step 1/4) Set Required Area, then press Start to begin area test.");
    EXPECT_DOUBLE_EQ(screen().required_area.get_val(), double(0.2f));

    press(ids.area_test.start_key);
    EXPECT_EQ(step(), 1u);
    EXPECT_TRUE(master());
    EXPECT_TRUE(get(operation().ignore_tank_switches));
    EXPECT_EQ(get(operation().calibration_state), 1);
    EXPECT_TRUE(get(operation().tank[0].calibrating_tank));
    EXPECT_EQ(instruction(), "Step 2/4) Area test in progress. Test will stop when required area has been reached.");
    EXPECT_EQ(pointer_value(ids.area_test.key_slots[2]), ids.area_test.pause_key.oid);

    ticks(599);
    EXPECT_EQ(step(), 1u);
    set_pulses(0, 2000); // 100 revolutions
    ticks(1);
    EXPECT_EQ(step(), 3u);
    EXPECT_NEAR(screen().get_area_covered(), 2000.0, 0.1);
    EXPECT_EQ(screen().area_covered.get_raw(), 20) << "0.20 ha";
    EXPECT_FALSE(master());
    EXPECT_DOUBLE_EQ(screen().applied[0].get_val(), 50.0);
    EXPECT_EQ(instruction(), "Step 4/4) Area test completed. Press Reset to restart test.");
    EXPECT_EQ(pointer_value(ids.area_test.key_slots[3]), ids.area_test.reset_key.oid);
    ticks(10);
    EXPECT_NEAR(screen().get_area_covered(), 2000.0, 0.1) << "a completed test counts no more";
}

TEST_F(Area_test, tanks_that_cannot_take_part_are_hidden_and_switched_off_at_start)
{
    struct Case {
        const char* what;
        Tank tank;
    };
    Tank no_factor, disabled, liquid, no_product, negative_product, product_beyond_table;
    no_factor.product_factor = 0;
    disabled.enabled = false;
    liquid.mode = 1;
    no_product.product = false;
    negative_product.product_number = -1;
    product_beyond_table.product_number = 16;
    const Case cases[] = {{"product without factor", no_factor}, {"disabled", disabled},
                          {"liquid", liquid},                    {"no product", no_product},
                          {"product -1", negative_product},      {"product 16", product_beyond_table}};
    set_tank(0, {});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        set_tank(1, c.tank);
        show("area_test_mask");
        EXPECT_FALSE(hidden(ids.area_test.tank_groups[0]));
        EXPECT_TRUE(hidden(ids.area_test.tank_groups[1]));
        press(ids.area_test.start_key);
        EXPECT_TRUE(get(record(0).active));
        EXPECT_FALSE(get(record(1).active));
        EXPECT_TRUE(get(operation().tank[0].calibrating_tank));
        EXPECT_FALSE(get(operation().tank[1].calibrating_tank));
        press(ids.area_test.pause_key);
        press(ids.area_test.reset_key);
        press(ids.area_test.main_key);
        EXPECT_EQ(current(), "main");
    }
}

TEST_F(Area_test, pause_and_resume_keep_the_counts_and_reset_zeroes_them)
{
    set_tank(0, {});
    show("area_test_mask");
    press(ids.area_test.start_key);
    ticks(30);
    set_pulses(0, 300);
    const float covered = screen().get_area_covered();
    EXPECT_NEAR(covered, 100.0, 0.01);

    press(ids.area_test.pause_key);
    EXPECT_EQ(step(), 2u);
    EXPECT_FALSE(master());
    EXPECT_EQ(pointer_value(ids.area_test.key_slots[2]), ids.area_test.resume_key.oid);
    ticks(30);
    EXPECT_EQ(screen().get_area_covered(), covered);

    press(ids.area_test.resume_key);
    EXPECT_EQ(step(), 1u);
    EXPECT_TRUE(master());
    EXPECT_EQ(pulses(0), 300u);
    ticks(30);
    EXPECT_NEAR(screen().get_area_covered(), 200.0, 0.02);

    press(ids.area_test.pause_key);
    press(ids.area_test.reset_key);
    EXPECT_EQ(step(), 0u);
    EXPECT_EQ(screen().get_area_covered(), 0.0f);
    EXPECT_EQ(pulses(0), 0u);
    EXPECT_FALSE(master());
    EXPECT_FALSE(get(operation().ignore_tank_switches));
    EXPECT_EQ(get(operation().calibration_state), 0);
    EXPECT_FALSE(get(operation().tank[0].calibrating_tank));
    EXPECT_EQ(pointer_value(ids.area_test.required_pointer), ids.area_test.required_input.oid)
        << "the required area is editable at step 1/4 only";
}

TEST_F(Area_test, leaving_gives_back_the_manual_speed_only_when_the_screen_set_it_and_the_switch_box_settings)
{
    for (bool manual_speed_before : {false, true}) {
        SCOPED_TRACE(manual_speed_before);
        rig.store.head.set(operation().use_manual_speed, manual_speed_before);
        rig.parameters.app.swbox_cal_swbox_type.set(2);
        rig.parameters.app.swbox_remote_master_mode.set(1);
        show("area_test_mask");
        EXPECT_TRUE(get(operation().use_manual_speed));
        EXPECT_EQ(rig.parameters.app.swbox_cal_swbox_type.get(), 0);
        EXPECT_EQ(rig.parameters.app.swbox_remote_master_mode.get(), 0);
        press(ids.area_test.settings_key);
        EXPECT_EQ(current(), "settings_menu");
        EXPECT_EQ(get(operation().use_manual_speed), manual_speed_before);
        EXPECT_FALSE(get(operation().ignore_tank_switches));
        EXPECT_EQ(rig.parameters.app.swbox_cal_swbox_type.get(), 2);
        EXPECT_EQ(rig.parameters.app.swbox_remote_master_mode.get(), 1);
    }
}

TEST_F(Area_test, an_alarm_mask_over_a_running_test_keeps_its_area_and_counts)
{
    set_tank(0, {});
    show("area_test_mask");
    press(ids.area_test.start_key);
    ticks(300);
    set_pulses(0, 1000);
    EXPECT_NEAR(screen().get_area_covered(), 1000.0, 0.1);

    raise_alarm();
    EXPECT_FALSE(master()) << "nothing meters while the area is not counted";
    ticks(50);
    acknowledge_alarm();
    EXPECT_EQ(current(), "area_test_mask");
    EXPECT_EQ(step(), 1u);
    EXPECT_NEAR(screen().get_area_covered(), 1000.0, 0.1);
    EXPECT_EQ(pulses(0), 1000u);
    EXPECT_TRUE(master());
    EXPECT_TRUE(get(operation().ignore_tank_switches));
    EXPECT_EQ(get(operation().calibration_state), 1);
    EXPECT_TRUE(get(operation().tank[0].calibrating_tank));
    EXPECT_TRUE(get(operation().use_manual_speed));

    ticks(300);
    EXPECT_EQ(step(), 3u);
}
