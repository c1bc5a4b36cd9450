#include "platform/iso/VT_Output_number_obj.h"
#include "tests/ui/Main_screen_rig.h"

#include <array>

namespace {

class Operating_screen : public Main_screen_rig {
protected:
    enum Key { inc, dec, preset };

    uint16_t key_id(Key key)
    {
        return key == inc ? id(ids.main.increase_key) : key == dec ? id(ids.main.decrease_key) : id(ids.main.preset_key);
    }
    std::array<bool, 4> selected()
    {
        std::array<bool, 4> s{};
        for (int k = 0; k < 4; ++k)
            s[k] = get(record(k).selected);
        return s;
    }
    uint32_t vt_value(uint16_t object)
    {
        Iop_check::Object o;
        EXPECT_TRUE(vt->object(object, o));
        return o.value;
    }
    uint16_t vt_list_item(uint16_t list, size_t index)
    {
        Iop_check::Object o;
        EXPECT_TRUE(vt->object(list, o));
        return index < o.children.size() ? o.children[index].id : 0;
    }
    unsigned decimals(uint16_t object)
    {
        VT::Output_number_obj* number = pool->object<VT::Output_number_obj>(object);
        pool->lock_pool();
        const unsigned d = number->get_no_decimals();
        pool->unlock_pool();
        return d;
    }
};

}

TEST_F(Operating_screen, rate_keys_step_or_toggle_the_requested_rate_of_each_eligible_tank_and_dec_stops_at_zero)
{
    struct Case {
        const char* what;
        Key key;
        bool selected, product, enabled;
        int rate_control_mode;
        double rate, expected;
    };
    const Case cases[] = {
        {"inc", inc, true, true, true, 1, 100.0, 105.0},
        {"dec", dec, true, true, true, 0, 100.0, 95.0},
        {"dec below one step gives 0", dec, true, true, true, 1, 3.0, 0.0},
        {"inc on a liquid manual tank", inc, true, true, true, 2, 100.0, 100.0},
        {"dec on a liquid manual tank", dec, true, true, true, 2, 100.0, 100.0},
        {"inc on a tank not selected", inc, false, true, true, 1, 100.0, 100.0},
        {"inc on a tank without product", inc, true, false, true, 1, 100.0, 100.0},
        {"inc on a tank not enabled", inc, true, true, false, 1, 100.0, 100.0},
        {"preset on preset 1", preset, true, true, true, 1, 100.0, 150.0},
        {"preset on preset 2", preset, true, true, true, 1, 150.0, 100.0},
        {"preset on neither", preset, true, true, true, 1, 123.0, 100.0},
        {"preset on a tank not selected", preset, false, true, true, 1, 123.0, 123.0},
    };
    set_tank(0, {});
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        parameters->app.channels[0]->enabled.set(c.enabled);
        set(record(0).selected, c.selected);
        set(record(0).product_assigned, c.product);
        set(record(0).rate_control_mode, c.rate_control_mode);
        set(record(0).requested_rate, c.rate);
        press(key_id(c.key));
        EXPECT_DOUBLE_EQ(get(record(0).requested_rate), c.expected);
    }
}

TEST_F(Operating_screen, tank_on_off_switches_the_eligible_selected_tanks_and_counts_the_others)
{
    struct Case {
        bool selected_1, selected_2, active_1, active_2, enabled_2;
        bool expected_1, expected_2;
    };
    const Case cases[] = {
        {true, true, true, false, true, false, false}, // two selected, one on: both off
        {true, true, false, false, true, true, true},  // both off: both on
        {true, false, true, false, true, false, false},
        {true, false, false, true, true, true, true},   // tank 2 not selected: left on
        {true, true, false, true, false, false, true},  // tank 2 counted, never written
    };
    set_tank(0, {});
    set_tank(1, {});
    start();
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(row++);
        parameters->app.channels[1]->enabled.set(c.enabled_2);
        set(record(0).selected, c.selected_1);
        set(record(1).selected, c.selected_2);
        set(record(0).active, c.active_1);
        set(record(1).active, c.active_2);
        press(id(ids.main.tank_on_off_key));
        EXPECT_EQ(get(record(0).active), c.expected_1);
        EXPECT_EQ(get(record(1).active), c.expected_2);
    }
}

TEST_F(Operating_screen, inc_held_on_one_liquid_manual_tank_writes_the_manual_step_every_200_ms)
{
    set_tank(0, {true, true, 1});
    set_tank(1, {true, true, 1});
    start();
    set(record(0).rate_control_mode, 2);
    set(record(1).rate_control_mode, 2);
    Store_probe probe(head());
    probe.follow(&record(0).rate_inc_manual, 1);

    pick(id(ids.main.tank_list), 0);
    hold(id(ids.main.increase_key), 1000);
    EXPECT_EQ(probe.take_changes().size(), 5u);
    EXPECT_DOUBLE_EQ(get(record(0).requested_rate), 0.0); // a manual tank takes no step
    advance(1000);
    EXPECT_TRUE(probe.take_changes().empty()) << "the hold outlived the key";

    press_and_abort(id(ids.main.increase_key));
    advance(1000);
    EXPECT_TRUE(probe.take_changes().empty()) << "an aborted press still holds";

    pick(id(ids.main.tank_list), Main_screen::all_tanks);
    hold(id(ids.main.increase_key), 1000);
    EXPECT_TRUE(probe.take_changes().empty()) << "all tanks selected";

    pick(id(ids.main.tank_list), 0);
    set(record(0).rate_control_mode, 1);
    hold(id(ids.main.increase_key), 1000);
    EXPECT_TRUE(probe.take_changes().empty()) << "not in manual mode";
}

TEST_F(Operating_screen, master_key_does_nothing_with_a_remote_master_switch)
{
    start();
    parameters->app.swbox_remote_master_mode.set(1);
    press(id(ids.main.master_key));
    EXPECT_FALSE(get(body().operation.master_switch_active));

    parameters->app.swbox_remote_master_mode.set(0);
    press(id(ids.main.master_key));
    EXPECT_TRUE(get(body().operation.master_switch_active));
    press(id(ids.main.master_key));
    EXPECT_FALSE(get(body().operation.master_switch_active));
}

TEST_F(Operating_screen, speed_source_key_toggles_manual_speed)
{
    start();
    press(id(ids.main.manual_speed_key));
    EXPECT_TRUE(get(body().operation.use_manual_speed));
    press(id(ids.main.manual_speed_key));
    EXPECT_FALSE(get(body().operation.use_manual_speed));
}

TEST_F(Operating_screen, sub_area_reset_clears_the_viewed_tanks_sub_area_only_and_the_store_index_is_bounded)
{
    for (int k = 0; k < 4; ++k)
        set_tank(k, {});
    start();
    set(body().areas.sub_area[3][9], 5.0f);
    set(body().areas.sub_area[3][8], 7.0f);
    set(body().volumes.sub_volume[3][9], 4.0f);
    parameters->app.areas.channel[3]->sub_area[9]->total.set(5.0f);

    pick(id(ids.main.viewed_tank_list), 3);
    pick(id(ids.main.sub_area_list), 9);
    EXPECT_EQ(get(body().areas.sub_area_number), 9u);
    press(id(ids.main.reset_sub_area_key));
    EXPECT_EQ(get(body().areas.sub_area[3][9]), 0.0f);
    EXPECT_EQ(get(body().volumes.sub_volume[3][9]), 0.0f);
    EXPECT_EQ(parameters->app.areas.channel[3]->sub_area[9]->total.get(), 0.0f);
    EXPECT_EQ(get(body().areas.sub_area[3][8]), 7.0f);

    // A sub-area number beyond the ten from elsewhere shows and resets the last.
    set(body().areas.sub_area[3][9], 6.0f);
    set(body().areas.sub_area_number, 15u);
    press(id(ids.main.reset_sub_area_key));
    EXPECT_EQ(get(body().areas.sub_area[3][9]), 0.0f);
    EXPECT_EQ(get(body().areas.sub_area[3][8]), 7.0f);
}

TEST_F(Operating_screen, reset_area_clears_the_area_and_volume_totals)
{
    start();
    set(body().areas.area[0].total, 12.0f);
    set(body().volumes.volume[0].total, 3.0f);
    parameters->app.areas.area[0]->total.set(12.0f);
    press(id(ids.main.reset_area_key));
    EXPECT_EQ(get(body().areas.area[0].total), 0.0f);
    EXPECT_EQ(get(body().volumes.volume[0].total), 0.0f);
    EXPECT_EQ(parameters->app.areas.area[0]->total.get(), 0.0f);
}

TEST_F(Operating_screen, the_tank_list_writes_selected_of_the_four_tanks)
{
    for (int k = 0; k < 4; ++k)
        set_tank(k, {});
    start();
    Store_probe probe(head());
    for (int k = 0; k < 4; ++k)
        probe.follow(&record(k).selected, 1);

    pick(id(ids.main.tank_list), 2);
    EXPECT_EQ(probe.take_changes().size(), 4u);
    EXPECT_EQ(selected(), (std::array<bool, 4>{false, false, true, false}));
    pick(id(ids.main.tank_list), Main_screen::all_tanks);
    EXPECT_EQ(selected(), (std::array<bool, 4>{true, true, true, true}));

    press(id(tank_objects(1).select_button));
    EXPECT_EQ(selected(), (std::array<bool, 4>{false, true, false, false}));
}

TEST_F(Operating_screen, the_all_tanks_item_needs_two_enabled_tanks_and_a_disabled_tank_loses_the_selection)
{
    set_tank(0, {});
    set_tank(1, {});
    set_tank(2, {});
    start();
    const uint16_t list = id(ids.main.tank_list);
    EXPECT_EQ(vt_list_item(list, Main_screen::all_tanks), id(ids.main.tank_list_items[4]));
    EXPECT_EQ(vt_list_item(list, 3), 0xFFFF);

    pick(list, 2);
    parameters->app.channels[2]->enabled.set(false);
    pump();
    EXPECT_EQ(selected(), (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(vt_list_item(list, 2), 0xFFFF);

    pick(list, Main_screen::all_tanks);
    EXPECT_EQ(selected(), (std::array<bool, 4>{true, true, true, true}));
    parameters->app.channels[1]->enabled.set(false);
    pump();
    EXPECT_EQ(vt_list_item(list, Main_screen::all_tanks), 0xFFFF);
    EXPECT_EQ(selected(), (std::array<bool, 4>{true, false, false, false}));
}

TEST_F(Operating_screen, a_mode_change_rebuilds_the_rate_formats_and_reloads_the_values)
{
    set_tank(0, {});
    start();
    set(record(0).requested_rate, 100.0);
    set(record(0).remaining_volume, 250.0);
    EXPECT_EQ(screen().channel(0).requested_rate.get_format().get_units_type(), 18u);

    parameters->app.channels[0]->mode.set(1);
    advance(100);
    EXPECT_EQ(screen().channel(0).requested_rate.get_format().get_units_type(), 20u);
    EXPECT_EQ(screen().channel(0).actual_rate.get_format().get_units_type(), 20u);
    EXPECT_EQ(screen().channel(0).remaining.get_format().get_units_type(), 12u);
    EXPECT_DOUBLE_EQ(screen().channel(0).requested_rate.get_val(), 100.0);
    EXPECT_EQ(vt_value(id(tank_objects(0).rate_input)), 1000u);

    parameters->app.channels[0]->mode.set(7); // shown as granular
    advance(100);
    EXPECT_EQ(screen().channel(0).requested_rate.get_format().get_units_type(), 18u);
}

TEST_F(Operating_screen, a_granular_rate_in_imperial_display_shows_pounds_per_acre)
{
    set_tank(0, {});
    start();
    set(record(0).requested_rate, 100.0); // kg/ha
    ui->get_units().set_system(Units_man::imperial);
    screen().set_units(ui->get_units());
    screen().send_val_updates(false);
    advance(100);
    EXPECT_EQ(vt_value(id(tank_objects(0).rate_input)), 892u); // 89.2 lb/ac
}

TEST_F(Operating_screen, the_sub_area_volume_drops_its_decimal_above_999_9)
{
    set_tank(0, {});
    start();
    const uint16_t volume = id(ids.main.sub_area_volume);
    set(body().volumes.sub_volume[0][0], 999.9f);
    EXPECT_EQ(decimals(volume), 1u);
    set(body().volumes.sub_volume[0][0], 1000.0f);
    EXPECT_EQ(decimals(volume), 0u);
    set(body().volumes.sub_volume[0][0], 999.9f);
    EXPECT_EQ(decimals(volume), 1u);
}

TEST_F(Operating_screen, start_up_assigns_each_tank_its_last_product_and_ignores_tanks_beyond_four)
{
    parameters->app.products[2]->tank.set(1);
    parameters->app.products[5]->tank.set(1);
    parameters->app.products[7]->tank.set(4);
    head().set(record(0).product_assigned, true);
    head().set(record(0).product_number, 3);
    head().set(record(4).product_number, 99);
    start();
    EXPECT_TRUE(get(record(1).product_assigned));
    EXPECT_EQ(get(record(1).product_number), 5);
    for (int k : {0, 2, 3}) {
        EXPECT_FALSE(get(record(k).product_assigned)) << k;
        EXPECT_EQ(get(record(k).product_number), 0) << k;
    }
    EXPECT_FALSE(get(record(4).product_assigned));
    EXPECT_EQ(get(record(4).product_number), 99);
}

TEST_F(Operating_screen, fan_layouts_follow_the_fans_enabled_and_pressure_sensing)
{
    struct Case {
        bool fan_1, fan_2, pressure_1, pressure_2;
        std::array<bool, 6> hidden; // fan 1, 2 speed, fan 1, 2 pressure, single speed, single pressure
    };
    const Case cases[] = {
        {true, false, true, false, {true, true, true, true, false, false}},
        {true, false, false, false, {true, true, true, true, false, true}},
        {true, true, true, false, {false, false, false, true, true, true}},
        {true, true, true, true, {false, false, false, false, true, true}},
    };
    start();
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(row++);
        parameters->app.fans[0]->enabled.set(c.fan_1);
        parameters->app.fans[1]->enabled.set(c.fan_2);
        parameters->app.fans[0]->sense_pressure.set(c.pressure_1);
        parameters->app.fans[1]->sense_pressure.set(c.pressure_2);
        advance(50);
        for (size_t i = 0; i < 6; ++i) {
            Iop_check::Object o;
            ASSERT_TRUE(vt->object(id(ids.main.fan_containers[i]), o));
            EXPECT_EQ(o.hidden, c.hidden[i]) << "container " << i;
        }
    }
}

TEST_F(Operating_screen, the_keys_write_doubles_integers_and_floats_each_with_one_event_of_its_width)
{
    set_tank(0, {});
    start();
    pick(id(ids.main.tank_list), 0);
    Store_probe probe(head());
    probe.follow(&body().channels, sizeof body().channels);
    probe.follow(&body().areas, sizeof body().areas);
    probe.follow(&body().volumes, sizeof body().volumes);

    press(id(ids.main.preset_key));
    EXPECT_EQ(probe.take_changes(), std::vector<Store_probe::Change>{probe.change_of(record(0).requested_rate)});
    EXPECT_EQ(probe.change_of(record(0).requested_rate).size, 8u);

    press(id(tank_objects(0).man_button));
    EXPECT_EQ(probe.take_changes(), std::vector<Store_probe::Change>{probe.change_of(record(0).rate_control_mode)});
    EXPECT_EQ(get(record(0).rate_control_mode), 2);
    press(id(tank_objects(0).auto_button));
    EXPECT_EQ(get(record(0).rate_control_mode), 1);
    probe.take_changes();

    set(body().areas.area[0].total, 0.0f); // an unchanged value still signals
    probe.take_changes();
    press(id(ids.main.reset_area_key));
    EXPECT_EQ(probe.take_changes(), (std::vector<Store_probe::Change>{probe.change_of(body().areas.area[0].total),
                                                                      probe.change_of(body().volumes.volume[0].total)}));

    // A tank without product takes no per-tank key.
    set_tank(1, {true, false});
    probe.take_changes();
    press(id(tank_objects(1).man_button));
    EXPECT_TRUE(probe.take_changes().empty());
    press(id(tank_objects(0).tank_button));
    EXPECT_EQ(current_key(), "tank_fill_mask");
}

TEST_F(Operating_screen, the_rate_alarm_mark_blinks_while_the_alarm_is_triggered_and_the_master_is_on)
{
    set_tank(0, {});
    start();
    const uint16_t mark = id(tank_objects(0).alt_container);
    auto phases = [&] {
        int shown = 0;
        for (int s = 0; s < 4; ++s) {
            advance(1000);
            Iop_check::Object o;
            EXPECT_TRUE(vt->object(mark, o));
            shown += o.hidden ? 0 : 1;
        }
        return shown;
    };
    set(body().alarms.tank_incorrect_rate[0].triggered, true);
    EXPECT_EQ(phases(), 0) << "master off";
    set(body().operation.master_switch_active, true);
    EXPECT_EQ(phases(), 2);
    set(body().alarms.tank_incorrect_rate[0].triggered, false);
    EXPECT_EQ(phases(), 0);
}

TEST_F(Operating_screen, the_page_keys_swap_the_pages_and_their_soft_keys)
{
    start();
    auto hidden = [&](uint16_t container) {
        Iop_check::Object o;
        EXPECT_TRUE(vt->object(container, o));
        return o.hidden;
    };
    auto soft_keys = [&] {
        Iop_check::Object o;
        EXPECT_TRUE(vt->object(id(ids.main.mask), o));
        return o.soft_key_mask;
    };
    press(id(ids.main.page1_toggle_key));
    EXPECT_TRUE(hidden(id(ids.main.status_row)));
    EXPECT_FALSE(hidden(id(ids.main.alt_status_row)));
    EXPECT_EQ(soft_keys(), id(ids.main.page2));
    press(id(ids.main.page2_toggle_key));
    EXPECT_FALSE(hidden(id(ids.main.status_row)));
    EXPECT_TRUE(hidden(id(ids.main.alt_status_row)));
    EXPECT_EQ(soft_keys(), id(ids.main.page1));
}
