#include "tests/support/Debug_capture.h"
#include "tests/ui/Seeder_ui_rig.h"
#include "ui/screens/Seeder_alarm_screen.h"
#include "ui/screens/Seeder_alarm_table.h"

#include "platform/iso/VT_Object_pointer_obj.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

const char* const screen_keys[] = {
    "intro", "main", "tank_fill_mask", "settings_menu", "actuator_diagnostics", "diagnostics2",
    "blocked_head_diags_mask", "system_info_mask", "seeder_settings_menu", "product_settings_menu",
    "alarm_settings_menu", "tank_settings_mask", "external_options_mask", "wheel_calibration_mask",
    "wheel_calibration_settings_mask", "width_and_speed_settings_mask", "fan_settings_mask",
    "operating_history_menu_mask", "fan_alarms_mask", "shaft_alarms_mask", "tank_alarms_mask",
    "tank_preload_settings_mask", "other_alarms_mask", "tank_motor_alarms_mask", "tank_gear_alarms_mask",
    "tank_pressure_alarms_mask", "totals_history_mask", "shafts_history_mask", "fans_history_mask",
    "product_settings_mask", "tank_calibration_settings_mask", "area_test_mask", "actuator_drive_settings_mask",
    "electric_drive_settings_mask", "prop_valve_drive_settings_mask", "prop_valve_control_settings_mask",
    "liquid_prop_valve_settings_mask", "liquid_prop_valve_control_settings_mask",
    "liquid_reg_valve_control_settings_mask", "no_flow_alarms_mask", "advanced_settings_mask",
    "factory_reset_mask", "factory_upgrade_mask", "seeder_brand_mask", "blocked_head_settings_mask",
    "multi_tank_cal_warning_mask", "multi_tank_cal_1_mask", "multi_tank_cal_2_mask", "multi_tank_cal_3_mask",
};

TEST(Seeder_ui, registers_the_49_data_screens_under_their_keys_in_table_order)
{
    Seeder_ui_rig rig;
    ASSERT_EQ(rig.man().get_screens().size(), std::size(screen_keys));
    for (size_t i = 0; i < std::size(screen_keys); ++i) {
        SCOPED_TRACE(screen_keys[i]);
        EXPECT_EQ(rig.man().find_screen(screen_keys[i]), rig.man().get_screens()[i]);
    }
    EXPECT_EQ(rig.man().find_screen("no_such_mask"), nullptr);
}

TEST(Seeder_ui, every_data_screen_finds_its_mask_in_the_code_built_pool_and_the_home_screen_shows_once_uploaded)
{
    Seeder_ui_rig rig;
    ASSERT_TRUE(rig.load_code_built_screens());
    Debug_capture debug;
    rig.start();
    EXPECT_EQ(debug.text().find("found no mask"), std::string::npos) << debug.text();
    for (const char* key : screen_keys) {
        SCOPED_TRACE(key);
        const Screen* screen = rig.man().find_screen(key);
        EXPECT_NE(screen->get_mask_id(), Screen::NULL_ID);
    }
    EXPECT_EQ(rig.man().find_screen("main")->get_mask_id(), uint16_t(rig.ids.main.mask));
    EXPECT_EQ(rig.man().get_current_screen(), rig.man().find_screen("intro"));
    rig.ui.handle_pool_uploaded(1);
    rig.pump();
    EXPECT_EQ(rig.man().get_current_screen(), rig.man().find_screen("main"));
}

TEST(Seeder_ui, sets_up_intro_home_object_pointer_and_one_alarm_screen_per_alarm_mask)
{
    Seeder_ui_rig rig;
    rig.parameters.app.alarms.tank_low[1]->limit_count.set(3);
    UI::Setup_config config;
    ASSERT_TRUE(rig.root.setup_screens(rig.pool.get(), config));

    EXPECT_EQ(config.intro, rig.man().find_screen("intro"));
    EXPECT_EQ(config.home, rig.man().find_screen("main"));
    EXPECT_EQ(config.word, 1);
    ASSERT_NE(config.pointer_slot, nullptr);
    ASSERT_NE(*config.pointer_slot, nullptr);
    EXPECT_EQ((*config.pointer_slot)->get_id(), 1541);
    EXPECT_EQ(config.terminal_timeout, 0) << "no non-VT display set";

    ASSERT_EQ(rig.man().get_screens().size(), 49u + 63u);
    for (const Seeder_alarm& alarm : seeder_alarms(rig.store.body.alarms, rig.parameters.app.alarms)) {
        SCOPED_TRACE(static_cast<const char*>(alarm.mask_name()));
        auto* screen = dynamic_cast<Seeder_alarm_screen*>(rig.man().find_screen(alarm.mask_name()));
        ASSERT_NE(screen, nullptr);
        EXPECT_STREQ(screen->get_mask()->get_name(), alarm.mask_name());
        EXPECT_EQ(screen->repeat_count, 0u);
        EXPECT_FALSE(screen->queued);
    }
    auto* tank_low_2 = dynamic_cast<Seeder_alarm_screen*>(rig.man().find_screen("alarm_mask_TANK_LOW_2"));
    EXPECT_EQ(tank_low_2->repeat_limit, 3u);
    // The limit is read once, when the screen is made.
    rig.parameters.app.alarms.tank_low[1]->limit_count.set(7);
    EXPECT_EQ(tank_low_2->repeat_limit, 3u);
}

TEST(Seeder_ui, takes_the_terminal_timeout_when_a_non_vt_display_is_set_to_be_connected)
{
    Seeder_ui_rig rig;
    rig.parameters.system.non_vtt_connected.set(true);
    rig.parameters.system.terminal_timeout.set(42);
    UI::Setup_config config;
    ASSERT_TRUE(rig.root.setup_screens(rig.pool.get(), config));
    EXPECT_EQ(config.terminal_timeout, 42);
}

TEST(Seeder_ui_death, a_missing_alarm_mask_ends_the_process_with_status_minus_138_before_any_alarm_screen)
{
    // A pool given its table keeps no name index: no mask is found by name.
    Seeder_ui_rig rig;
    std::vector<VT::VT_obj*> table(VT::seeder_ecu_pool::table_size);
    VT::seeder_ecu_pool unindexed(&rig.modules, table.data(), VT::seeder_ecu_pool::table_size);
    UI::Setup_config config;
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO); // the debug output, where the death test reads
            rig.root.setup_screens(&unindexed, config);
        },
        testing::ExitedWithCode(uint8_t(Seeder_ui::missing_alarm_mask_status)),
        "Could not find object alarm_mask_FAN_PRESSURE_LOW\n$");
}

TEST(Seeder_ui, finds_65535_as_no_object_without_a_word)
{
    Seeder_ui_rig rig;
    Debug_capture debug;
    EXPECT_EQ(rig.pool->find_object("65535", true), nullptr);
    EXPECT_EQ(debug.text(), "");
    EXPECT_EQ(rig.pool->find_object("mask_nothing", true), nullptr);
    EXPECT_EQ(debug.text(), "Could not find object mask_nothing\n");
}

TEST(Seeder_ui, the_vt_display_is_used_unless_a_non_vt_display_is_connected_and_one_change_asks_once)
{
    Seeder_ui_rig rig;
    rig.start();
    EXPECT_TRUE(rig.root.ui_enabled());
    EXPECT_TRUE(rig.ui.is_ui_enabled());
    const int asked = rig.root.asked;

    rig.store.head.set(rig.store.body.system.non_vtt_connected, true);
    rig.pump();
    EXPECT_EQ(rig.root.asked, asked + 1);
    EXPECT_FALSE(rig.ui.is_ui_enabled());
    EXPECT_EQ(rig.man().get_current_screen(), rig.man().find_screen("intro"));

    rig.store.head.set(rig.store.body.vehicle.speed, 3.0f);
    rig.pump();
    EXPECT_EQ(rig.root.asked, asked + 1) << "another field asks nothing";
}

TEST(Seeder_ui, the_vt_shows_the_pool_its_name_is_kept_and_the_store_says_uploaded_and_alive)
{
    Seeder_ui_rig rig;
    rig.start();
    ds_system& system = rig.store.body.system;
    rig.probe.follow(&system.vt_uploaded, 1);
    rig.probe.follow(&system.vt_alive, 1);
    const uint64_t name = 0xA00E840000200001ull;

    rig.ui.handle_pool_uploaded(name);
    rig.pump();
    EXPECT_EQ(rig.parameters.system.specific_vt_name.get(), name);
    EXPECT_TRUE(rig.store.head.get(system.vt_uploaded));
    EXPECT_EQ(rig.changes_of(system.vt_uploaded).size(), 1u);

    rig.ui.handle_terminal_alive(true);
    rig.pump();
    EXPECT_TRUE(rig.store.head.get(system.vt_alive));
    rig.ui.handle_terminal_alive(false);
    rig.pump();
    EXPECT_FALSE(rig.store.head.get(system.vt_alive));
    EXPECT_EQ(rig.changes_of(system.vt_alive).size(), 2u);
}

TEST(Seeder_ui, a_key_on_the_intro_screen_switches_nothing)
{
    Seeder_ui_rig rig;
    rig.start();
    Screen* intro = rig.man().find_screen("intro");
    ASSERT_EQ(rig.man().get_current_screen(), intro);
    const size_t history = rig.man().get_history().size();
    for (uint8_t code : {Soft_key_activation_event::pressed, Soft_key_activation_event::released})
        rig.activate(1240, intro->get_mask_id(), code);
    EXPECT_EQ(rig.man().get_current_screen(), intro);
    EXPECT_EQ(rig.man().get_history().size(), history);
    EXPECT_EQ(intro->get_mask_id(), 1235);
}

TEST(Seeder_ui, an_alarm_screens_soft_key_acknowledges_its_alarm_on_every_event_and_its_release_goes_back)
{
    Seeder_ui_rig rig;
    rig.start();
    Screen* before = rig.man().get_current_screen();
    Screen* alarm = rig.man().find_screen("alarm_mask_TANK_LOW_2");
    ASSERT_NE(alarm, nullptr);
    ASSERT_TRUE(rig.man().switch_to_screen(alarm));
    bool& ack = rig.store.body.alarms.tank_low[1].acknowledged;
    const uint16_t any_key = 4000; // the alarm masks' keys all acknowledge
    rig.probe.follow(&ack, 1);

    struct Step {
        uint8_t code;
        Screen* shown_after;
    };
    const Step steps[] = {
        {Soft_key_activation_event::pressed, alarm},
        {Soft_key_activation_event::held, alarm},
        {Soft_key_activation_event::released, before},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(int(step.code));
        rig.store.head.set(ack, false);
        rig.probe.take_changes();
        rig.activate(any_key, alarm->get_mask_id(), step.code);
        EXPECT_TRUE(rig.store.head.get(ack));
        EXPECT_EQ(rig.changes_of(ack).size(), 1u);
        EXPECT_EQ(rig.man().get_current_screen(), step.shown_after);
    }
    EXPECT_FALSE(rig.store.body.alarms.tank_low[0].acknowledged);
    EXPECT_FALSE(rig.store.body.alarms.tank_low[2].acknowledged);
}

}
