#include "tests/ui/Screen_rig.h"
#include "ui/screens/TankSettingsMask.h"

namespace {

class Tank_settings : public Screen_rig<TankSettingsMask> {
protected:
    Tank_settings()
        : Screen_rig("tank_settings_mask")
    {
        std::vector<uint16_t> keys;
        for (Key_id* key : {&own.seeder_key, &own.settings_key, &own.main_key})
            keys.push_back(record(*key, pool->key()));
        record(own.mask, pool->data_mask(pool->soft_key_mask(keys)));
        record(own.tank_count, list_of(4));
        for (int t = 0; t < 4; ++t) {
            record(own.rows[t], pool->container());
            record(own.capacities[t], pool->input_number());
            record(own.types[t], list_of(3));
            record(own.granular_drive_containers[t], pool->container());
            record(own.granular_drives[t], list_of(3));
            record(own.liquid_drive_containers[t], pool->container(true));
            record(own.liquid_drives[t], list_of(2));
            record(ids.tank_settings_more.setup_buttons[t], pool->button());
        }
        for (const char* key : {"main", "settings_menu", "seeder_settings_menu", "electric_drive_settings_mask",
                                "actuator_drive_settings_mask", "prop_valve_drive_settings_mask",
                                "liquid_prop_valve_settings_mask"})
            add_target(key);
    }

    Tank_settings_ids& own = ids.tank_settings;
};

}

TEST_F(Tank_settings, two_tanks_enable_tanks_1_and_2_and_ask_one_tc_reload)
{
    for (int t = 0; t < 4; ++t)
        channel(t).enabled.set(t == 3);
    start();
    Store_probe probe(head());
    probe.follow(&body().system, sizeof body().system);

    pick(own.tank_count, 1);

    const bool expected[] = {true, true, false, false};
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(channel(t).enabled.get(), expected[t]) << "tank " << t + 1;
    EXPECT_EQ(parameters->app.num_channels.get(), 2);
    EXPECT_EQ(probe.take_changes(), std::vector<Store_probe::Change>{probe.change_of(body().system.reset_tc)});
    EXPECT_TRUE(head().get(body().system.reset_tc));
    EXPECT_TRUE(hidden(own.rows[2]));
    EXPECT_FALSE(hidden(own.rows[1]));
}

TEST_F(Tank_settings, a_type_change_writes_mode_the_tc_type_flag_and_one_reload_and_the_same_type_nothing)
{
    const struct {
        int from;
        int chosen;
        bool written;
        int32_t flag;
    } cases[] = {
        {0, 0, false, 7},
        {1, 1, false, 7},
        {0, 1, true, 1},
        {1, 2, true, 0},
        {2, 0, true, 0},
    };
    channel(1).enabled.set(true);
    start();
    ds_chan& tc = body().interface.channels[1];
    Store_probe probe(head());
    probe.follow(&body().system, sizeof body().system);
    probe.follow(&body().interface, sizeof body().interface);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.chosen));
        channel(1).mode.set(uint8_t(c.from));
        head().set(tc.tank_type_flag, int32_t(7));
        head().set(tc.default_rate, 12.5);
        head().set(body().system.reset_tc, false);
        pump();
        probe.take_changes();

        pick(own.types[1], uint8_t(c.chosen));

        EXPECT_EQ(channel(1).mode.get(), c.chosen);
        EXPECT_EQ(head().get(tc.tank_type_flag), c.flag);
        EXPECT_DOUBLE_EQ(head().get(tc.default_rate), 12.5);
        const std::vector<Store_probe::Change> changes = probe.take_changes();
        if (c.written) {
            EXPECT_EQ(changes, (std::vector<Store_probe::Change>{probe.change_of(tc.tank_type_flag),
                                                                 probe.change_of(body().system.reset_tc)}));
            EXPECT_EQ(hidden(own.granular_drive_containers[1]), c.chosen != 0);
            EXPECT_EQ(hidden(own.liquid_drive_containers[1]), c.chosen == 0);
        } else {
            EXPECT_TRUE(changes.empty());
        }
    }
}

TEST_F(Tank_settings, the_prop_valve_drive_stores_3_and_setup_opens_its_screen_with_the_tank_written_first)
{
    channel(2).enabled.set(true);
    start();
    pick(own.granular_drives[2], 2);
    EXPECT_EQ(channel(2).granular_controller_type.get(), 3);
    EXPECT_EQ(head().get(store_channel(2).rate_control_mode), 1);

    uint32_t index_seen = 99;
    targets[5]->on_activate = [&] { index_seen = head().get(body().internal.current_channel_index); };
    press(ids.tank_settings_more.setup_buttons[2]);
    EXPECT_TRUE(showing("prop_valve_drive_settings_mask"));
    EXPECT_EQ(index_seen, 2u);
}

TEST_F(Tank_settings, setup_opens_the_screen_of_the_tanks_type_and_drive)
{
    const struct {
        int mode;
        int granular_drive;
        int liquid_drive;
        const char* target;
    } cases[] = {
        {0, 0, 0, "electric_drive_settings_mask"},
        {0, 1, 0, "actuator_drive_settings_mask"},
        {0, 2, 0, "actuator_drive_settings_mask"},
        {0, 3, 0, "prop_valve_drive_settings_mask"},
        {1, 0, 0, "liquid_prop_valve_settings_mask"},
        {1, 0, 1, "liquid_prop_valve_settings_mask"},
        {2, 3, 1, "liquid_prop_valve_settings_mask"},
    };
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        channel(0).mode.set(uint8_t(c.mode));
        channel(0).granular_controller_type.set(uint8_t(c.granular_drive));
        channel(0).liquid_controller_type.set(uint8_t(c.liquid_drive));
        man().switch_to_screen("tank_settings_mask");
        pump();
        press(ids.tank_settings_more.setup_buttons[0]);
        EXPECT_TRUE(showing(c.target));
        EXPECT_EQ(head().get(body().internal.current_channel_index), 0u);
    }
}

TEST_F(Tank_settings, the_liquid_drive_is_stored_as_chosen_with_the_rate_control_mode)
{
    channel(3).mode.set(1);
    start();
    pick(own.liquid_drives[3], 1);
    EXPECT_EQ(channel(3).liquid_controller_type.get(), 1);
    EXPECT_EQ(head().get(store_channel(3).rate_control_mode), 1);
}

TEST_F(Tank_settings, an_unknown_type_shows_as_granular_and_capacities_show_within_their_range)
{
    channel(0).enabled.set(true);
    channel(0).mode.set(7);
    channel(0).capacity.set(123456.0f);
    channel(1).capacity.set(-5.0f);
    channel(2).mode.set(1);
    channel(2).capacity.set(12.5f);
    start();

    EXPECT_EQ(item(own.types[0]), 0);
    EXPECT_FALSE(hidden(own.granular_drive_containers[0]));
    EXPECT_TRUE(hidden(own.liquid_drive_containers[0]));
    EXPECT_EQ(number(own.capacities[0]), 999990u);
    EXPECT_EQ(number(own.capacities[1]), 0u);
    EXPECT_EQ(number(own.capacities[2]), 125u) << "a liquid tank's capacity in the liquid format";
    EXPECT_EQ(item(own.types[2]), 1);
    EXPECT_TRUE(hidden(own.granular_drive_containers[2]));
}

TEST_F(Tank_settings, ten_stored_tanks_show_without_harm)
{
    parameters->app.num_channels.set(10);
    start();
    EXPECT_EQ(item(own.tank_count), 0);
    pick(own.tank_count, 3);
    EXPECT_EQ(parameters->app.num_channels.get(), 4);
}

TEST_F(Tank_settings, leaving_with_the_calibration_drive_on_a_tank_made_liquid_resets_it)
{
    channel(1).enabled.set(true);
    channel(1).granular_controller_type.set(1);
    parameters->app.calibration_drive_channel.set(1);
    start();
    press(own.main_key);
    EXPECT_EQ(parameters->app.calibration_drive_channel.get(), 1) << "an actuator tank keeps it";

    man().switch_to_screen("tank_settings_mask");
    pump();
    pick(own.types[1], 1);
    EXPECT_EQ(parameters->app.calibration_drive_channel.get(), 1) << "only leaving checks";
    press(own.main_key);
    EXPECT_TRUE(showing("main"));
    EXPECT_EQ(parameters->app.calibration_drive_channel.get(), -1);
}
