#include "tests/ui/Main_screen_rig.h"
#include "ui/screens/TAlarmManager.h"

namespace {

class Alarm_scan : public Main_screen_rig {
protected:
    void start_uploaded()
    {
        start();
        set(body().system.vt_uploaded, true);
    }
    // A soft key pressed and released on the alarm mask shown.
    void acknowledge_shown()
    {
        Screen* shown = man().get_current_screen();
        ASSERT_NE(shown, nullptr);
        for (uint8_t code : {uint8_t(1), uint8_t(0)}) {
            VT::Pool_listener::Activation a;
            a.function = Soft_key_activation_event::soft_key;
            a.object = id(ids.main.master_key);
            a.parent = shown->get_mask_id();
            a.code = code;
            inject(a);
        }
    }
    // Moves the clock on until the screen of the key is shown, at most ms.
    bool shown_within(const std::string& key, int ms)
    {
        for (int waited = 0; current_key() != key && waited < ms; waited += 50)
            advance(50);
        return current_key() == key;
    }
};

}

TEST_F(Alarm_scan, a_new_alarm_comes_up_at_once_and_its_acknowledgement_brings_the_next_or_the_operating_screen)
{
    start_uploaded();
    ASSERT_EQ(current_key(), "main");

    set(body().alarms.tank_low[1].active, true);
    EXPECT_EQ(current_key(), "alarm_mask_TANK_LOW_2");
    EXPECT_EQ(vt->active_mask(), man().get_current_screen()->get_mask_id());

    set(body().alarms.no_comms.active, true);
    EXPECT_EQ(current_key(), "alarm_mask_TANK_LOW_2") << "a shown alarm gives way at the next tick only";

    acknowledge_shown();
    EXPECT_TRUE(get(body().alarms.tank_low[1].acknowledged));
    EXPECT_TRUE(shown_within("alarm_mask_NO_COMMS", 1000));

    acknowledge_shown();
    EXPECT_TRUE(shown_within("main", 1000));
    advance(2000);
    EXPECT_EQ(current_key(), "main");
}

TEST_F(Alarm_scan, an_alarm_whose_active_clears_goes_off_the_display)
{
    start_uploaded();
    set(body().alarms.tank_empty[0].active, true);
    ASSERT_EQ(current_key(), "alarm_mask_TANK_EMPTY_1");
    set(body().alarms.tank_empty[0].active, false);
    EXPECT_TRUE(shown_within("main", 1000));
    EXPECT_EQ(vt->active_mask(), id(ids.main.mask));
}

TEST_F(Alarm_scan, inhibited_alarms_freeze_the_display_and_clearing_the_inhibit_catches_up)
{
    start_uploaded();
    set(body().internal.inhibit_vt_alarms, true);
    set(body().alarms.master_off.active, true);
    advance(2500);
    EXPECT_EQ(current_key(), "main");

    set(body().internal.inhibit_vt_alarms, false);
    EXPECT_TRUE(shown_within("alarm_mask_MASTER_OFF", 1000));

    set(body().internal.inhibit_vt_alarms, true);
    set(body().alarms.master_off.active, false);
    advance(2500);
    EXPECT_EQ(current_key(), "alarm_mask_MASTER_OFF");
}

TEST_F(Alarm_scan, nothing_comes_up_before_the_pool_is_uploaded)
{
    start();
    set(body().alarms.no_comms.active, true);
    advance(2500);
    EXPECT_EQ(current_key(), "main");
    set(body().system.vt_uploaded, true);
    EXPECT_TRUE(shown_within("alarm_mask_NO_COMMS", 1000));
}

TEST_F(Alarm_scan, tank_5_and_fan_sensors_3_and_4_have_no_alarm_screen)
{
    start_uploaded();
    set(body().alarms.tank_low[4].active, true);
    set(body().alarms.tank_motor_jam[9].active, true);
    set(body().alarms.fan_sensor_fail[2].active, true);
    set(body().alarms.fan_sensor_fail[3].active, true);
    set(body().alarms.tank_active_no_rate[0].active, true);
    advance(2500);
    EXPECT_EQ(current_key(), "main");
    EXPECT_EQ(screen().alarm_manager()->current_alarm(), nullptr);
}

TEST_F(Alarm_scan, the_alarm_timer_runs_on_while_another_screen_is_shown)
{
    start();
    ASSERT_TRUE(man().switch_to_screen("settings_menu"));
    set(body().alarms.temperature.active, true);
    // The store's upload flag wakes no alarm listener: only the timer sees it.
    set(body().system.vt_uploaded, true);
    EXPECT_TRUE(shown_within("alarm_mask_TEMPERATURE", 1000));
}

TEST_F(Alarm_scan, an_alarm_with_a_repeat_limit_rests_after_being_shown_that_often)
{
    parameters->app.alarms.tank_shaft[2]->limit_count.set(2);
    start_uploaded();
    set(body().alarms.tank_shaft[2].active, true);
    EXPECT_EQ(current_key(), "alarm_mask_TANK_SHAFT_3");
    EXPECT_TRUE(shown_within("main", 2000));
    advance(3000);
    EXPECT_EQ(current_key(), "main");

    // Cleared and raised again, it comes back.
    set(body().alarms.tank_shaft[2].active, false);
    advance(1000);
    set(body().alarms.tank_shaft[2].active, true);
    EXPECT_TRUE(shown_within("alarm_mask_TANK_SHAFT_3", 1000));
}
