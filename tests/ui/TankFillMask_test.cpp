#include "tests/ui/Screen_rig.h"
#include "ui/screens/TankFillMask.h"

namespace {

class Tank_fill : public Screen_rig<TankFillMask> {
protected:
    Tank_fill()
        : Screen_rig("tank_fill_mask")
    {
        Tank_fill_more_ids& more = ids.tank_fill_more;
        std::vector<uint16_t> keys;
        for (Key_id* key : {&more.fill_key, &more.increase_key, &more.decrease_key, &more.settings_key, &more.main_key})
            keys.push_back(record(*key, pool->key()));
        record(own.mask, pool->data_mask(pool->soft_key_mask(keys)));
        record(own.tank_list, list_with_items(own.list_items));
        record(own.multi_tank_container, pool->container());
        record(own.single_tank_container, pool->container(true));
        for (int t = 0; t < 4; ++t) {
            record(more.tank_containers[t], pool->container());
            record(more.fill_levels[t], pool->input_number());
            record(more.fill_level_units[t], pool->output_string(8));
            record(more.fill_steps[t], pool->input_number());
            record(more.fill_step_units[t], pool->output_string(8));
        }
        add_target("main");
        add_target("settings_menu");
        product(0).density.set(2.0f);
    }

    // An enabled tank of 100 (before the density) holding 50, stepping by 30.
    void tank(int t, int mode, bool assigned, int product_number, double content = 50)
    {
        channel(t).enabled.set(true);
        channel(t).mode.set(uint8_t(mode));
        channel(t).capacity.set(100.0f);
        channel(t).tank_fill_inc_dec.set(30.0f);
        head().set(store_channel(t).product_assigned, assigned);
        head().set(store_channel(t).product_number, int32_t(product_number));
        head().set(store_channel(t).remaining_volume, content);
    }
    double content(int t) { return head().get(store_channel(t).remaining_volume); }
    uint16_t key_of(char key)
    {
        return key == 'F' ? ids.tank_fill_more.fill_key : key == 'I' ? ids.tank_fill_more.increase_key
                                                                       : ids.tank_fill_more.decrease_key;
    }

    Tank_fill_ids& own = ids.tank_fill;
};

struct Step_case {
    const char* what;
    int mode;
    bool assigned;
    int product_number;
    double content;
    char key; // Fill, Inc, Dec
    double expected;
};

}

TEST_F(Tank_fill, fill_inc_and_dec_of_one_tank)
{
    const Step_case cases[] = {
        {"granular fills to capacity times density", 0, true, 0, 50, 'F', 200},
        {"NH3 fills to capacity times density", 2, true, 0, 50, 'F', 200},
        {"liquid fills to capacity alone", 1, true, 0, 50, 'F', 100},
        {"no product: no fill", 0, false, 0, 50, 'F', 50},
        {"product 16: no fill", 0, true, 16, 50, 'F', 50},
        {"product -1: no fill", 0, true, -1, 50, 'F', 50},
        {"inc by the step", 0, true, 0, 50, 'I', 80},
        {"inc caps at the maximum", 0, true, 0, 190, 'I', 200},
        {"liquid inc caps at the capacity", 1, true, 0, 90, 'I', 100},
        {"product 16: no inc", 0, true, 16, 50, 'I', 50},
        {"product -1: no inc", 0, true, -1, 50, 'I', 50},
        {"dec by the step", 0, true, 0, 50, 'D', 20},
        {"dec floors at 0", 0, true, 0, 20, 'D', 0},
        {"product 16: dec all the same", 0, true, 16, 50, 'D', 20},
        {"no product: no dec", 0, false, 0, 50, 'D', 50},
    };
    tank(0, 0, true, 0);
    start();
    for (const Step_case& c : cases) {
        SCOPED_TRACE(c.what);
        tank(0, c.mode, c.assigned, c.product_number, c.content);
        pump();
        press(key_of(c.key));
        EXPECT_DOUBLE_EQ(content(0), c.expected);
    }
}

TEST_F(Tank_fill, all_tanks_fill_inc_and_dec_each_tank_that_qualifies)
{
    const struct {
        char key;
        double expected[4];
    } cases[] = {
        {'F', {200, 100, 50, 50}},
        {'I', {80, 80, 50, 50}},
        {'D', {20, 20, 20, 50}},
    };
    const auto set_up = [this] {
        tank(0, 0, true, 0);
        tank(1, 1, true, 0);
        tank(2, 0, true, 16);
        tank(3, 0, false, 0);
        pump();
    };
    set_up();
    start();
    pick(own.tank_list, TankFillMask::all_tanks);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        set_up();
        press(key_of(c.key));
        for (int t = 0; t < 4; ++t)
            EXPECT_DOUBLE_EQ(content(t), c.expected[t]) << "tank " << t + 1;
    }
}

TEST_F(Tank_fill, a_typed_content_writes_the_store_and_the_parameter)
{
    tank(1, 1, true, 0);
    tank(0, 0, false, 0);
    start();
    pick(own.tank_list, 1);

    enter_number(ids.tank_fill_more.fill_levels[1], 734); // 73.4 l

    EXPECT_DOUBLE_EQ(content(1), 73.4);
    EXPECT_FLOAT_EQ(channel(1).remaining.get(), 73.4f);
    EXPECT_DOUBLE_EQ(content(0), 50);

    enter_number(ids.tank_fill_more.fill_levels[1], 1001); // above the tank's 100 l: refused
    EXPECT_DOUBLE_EQ(content(1), 73.4);
}

TEST_F(Tank_fill, a_typed_step_is_kept_for_the_tank_and_used_by_inc)
{
    tank(0, 0, true, 0);
    start();
    enter_number(ids.tank_fill_more.fill_steps[0], 125); // 12.5 kg
    EXPECT_FLOAT_EQ(channel(0).tank_fill_inc_dec.get(), 12.5f);
    press(ids.tank_fill_more.increase_key);
    EXPECT_DOUBLE_EQ(content(0), 62.5);
}

TEST_F(Tank_fill, disabling_the_selected_tank_selects_tank_1_and_blanks_its_entry)
{
    for (int t = 0; t < 3; ++t)
        tank(t, 0, true, 0);
    start();
    pick(own.tank_list, 1);

    channel(1).enabled.set(false);
    pump();

    EXPECT_EQ(item(own.tank_list), 0);
    EXPECT_EQ(entry(own.tank_list, 1), 0xFFFF);
    EXPECT_TRUE(hidden(ids.tank_fill_more.tank_containers[1]));
    EXPECT_EQ(entry(own.tank_list, 2), own.list_items[2].oid);
    EXPECT_EQ(entry(own.tank_list, 4), own.list_items[4].oid) << "two tanks are still enabled";
}

TEST_F(Tank_fill, one_enabled_tank_removes_the_all_tanks_entry_and_its_selection)
{
    tank(0, 0, true, 0);
    tank(1, 0, true, 0);
    start();
    EXPECT_FALSE(hidden(own.multi_tank_container));
    EXPECT_TRUE(hidden(own.single_tank_container));
    pick(own.tank_list, TankFillMask::all_tanks);

    channel(1).enabled.set(false);
    pump();

    EXPECT_EQ(item(own.tank_list), 0);
    EXPECT_EQ(entry(own.tank_list, 4), 0xFFFF);
    EXPECT_TRUE(hidden(own.multi_tank_container));
    EXPECT_FALSE(hidden(own.single_tank_container));
    press(ids.tank_fill_more.fill_key);
    EXPECT_DOUBLE_EQ(content(0), 200);
    EXPECT_DOUBLE_EQ(content(1), 50);
}

TEST_F(Tank_fill, the_shown_content_follows_the_store_and_the_keys_lead_away)
{
    tank(0, 0, true, 0);
    start();
    head().set(store_channel(0).remaining_volume, 42.0);
    pump();
    EXPECT_DOUBLE_EQ(content(0), 42.0);
    press(ids.tank_fill_more.increase_key); // from the followed 42
    EXPECT_DOUBLE_EQ(content(0), 72.0);

    press(ids.tank_fill_more.settings_key);
    EXPECT_TRUE(showing("settings_menu"));
}
