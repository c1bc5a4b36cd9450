#include "platform/iso/VT_Input_string_obj.h"
#include "tests/ui/Screen_rig.h"
#include "ui/screens/Operator_name.h"
#include "ui/screens/ProductSettingsMask.h"

#include <cstring>

namespace {

class Product_settings : public Screen_rig<ProductSettingsMask> {
protected:
    Product_settings()
        : Screen_rig("product_settings_mask")
    {
        std::vector<uint16_t> keys;
        for (Key_id* key : {&own.product_menu_key, &own.settings_key, &own.main_key})
            keys.push_back(record(*key, pool->key()));
        record(own.mask, pool->data_mask(pool->soft_key_mask(keys)));
        record(own.cal_factor_button, pool->button());
        // Longer than the name, as a terminal may let the operator type.
        record(own.name, pool->input_string(32));
        record(own.tank_list, list_with_items(ids.product_settings_more.tank_items));
        for (Input_number_id* input : {&own.density, &own.rate_1, &own.rate_2, &own.cal_factor, &own.inc_dec})
            record(*input, pool->input_number());
        record(own.cal_button_group, pool->container());
        record(own.cal_factor_group, pool->container(true));
        record(own.rate_units, pool->output_string(8));
        record(own.cal_factor_units, pool->output_string(8));
        for (const char* key : {"main", "settings_menu", "product_settings_menu", "tank_calibration_settings_mask"})
            add_target(key);

        for (int t = 0; t < 4; ++t)
            channel(t).enabled.set(true);
        NV_quvel::products_t& wheat = product(3);
        Operator_name::store_typed(wheat.name, "Wheat");
        wheat.preset_rate_1.set(100.0f);
        wheat.preset_rate_2.set(150.0f);
        wheat.inc_dec.set(5.0f);
        wheat.product_cal_factor.set(0.25f);
        wheat.density.set(0.8f);
        Operator_name::store_typed(product(5).name, "Barley");
    }

    // The product on the tank, as the parameters and the store have it.
    void put(int p, int t)
    {
        product(p).tank.set(uint8_t(t));
        if (t < 4) {
            Operator_name::copy(channel(t).name, product(p).name);
            head().set(store_channel(t).product_assigned, true);
            head().set(store_channel(t).product_number, int32_t(p));
        }
    }
    void edit_product(uint32_t index)
    {
        head().set(body().internal.current_product_index, index);
        pump();
    }
    std::string channel_name(int t)
    {
        char text[21] = {};
        channel(t).name.get(text, 20);
        return text;
    }
    std::string shown_name()
    {
        auto* input = pool->object<VT::Input_string_obj>(own.name);
        pool->lock_pool();
        std::string text(input->get_value(), input->get_length());
        pool->unlock_pool();
        return text.substr(0, text.find_last_not_of(' ') + 1);
    }
    void expect_detached(int t)
    {
        EXPECT_EQ(channel_name(t), "---");
        EXPECT_FALSE(head().get(store_channel(t).product_assigned));
        EXPECT_FALSE(head().get(store_channel(t).active));
        EXPECT_EQ(head().get(store_channel(t).product_number), 0);
    }
    void expect_carrying_wheat(int t)
    {
        EXPECT_EQ(Operator_name::shown(channel(t).name), "Wheat");
        EXPECT_TRUE(head().get(store_channel(t).product_assigned));
        EXPECT_EQ(head().get(store_channel(t).product_number), 3);
        EXPECT_FLOAT_EQ(channel(t).preset_rate_1.get(), 100.0f);
        EXPECT_FLOAT_EQ(channel(t).preset_rate_2.get(), 150.0f);
        EXPECT_FLOAT_EQ(channel(t).rate_increment.get(), 5.0f);
        EXPECT_FLOAT_EQ(channel(t).cal_setting.get(), 0.25f);
    }

    Product_settings_ids& own = ids.product_settings;
};

}

TEST_F(Product_settings, assign_move_and_off_detach_the_old_tank_and_copy_the_product_to_the_new)
{
    const struct {
        const char* what;
        int wheat_on; // product 3
        int barley_on; // product 5
        uint8_t chosen;
        int detached; // -1: none
        int carrying; // -1: none
        int wheat_after;
        int barley_after;
    } cases[] = {
        {"onto tank 2 over another product", 10, 1, 1, -1, 1, 1, 10},
        {"from tank 1 to tank 3", 0, 10, 2, 0, 2, 2, 10},
        {"from tank 2 to OFF", 1, 10, 4, 1, -1, 10, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (int t = 0; t < 4; ++t) {
            head().set(store_channel(t).active, true);
            head().set(store_channel(t).product_assigned, false);
        }
        put(3, c.wheat_on);
        put(5, c.barley_on);
        if (!vt)
            start();
        edit_product(3);
        EXPECT_EQ(item(own.tank_list), c.wheat_on < 4 ? c.wheat_on : 4);

        pick(own.tank_list, c.chosen);

        if (c.detached >= 0)
            expect_detached(c.detached);
        if (c.carrying >= 0)
            expect_carrying_wheat(c.carrying);
        EXPECT_EQ(product(3).tank.get(), c.wheat_after);
        EXPECT_EQ(product(5).tank.get(), c.barley_after);
        put(3, 10);
        put(5, 10);
    }
}

TEST_F(Product_settings, disabled_tanks_are_missing_from_the_tank_list_until_enabled)
{
    channel(2).enabled.set(false);
    start();
    EXPECT_EQ(entry(own.tank_list, 2), 0xFFFF);
    EXPECT_EQ(entry(own.tank_list, 1), ids.product_settings_more.tank_items[1].oid);

    channel(2).enabled.set(true);
    pump();
    EXPECT_EQ(entry(own.tank_list, 2), ids.product_settings_more.tank_items[2].oid);
}

TEST_F(Product_settings, a_typed_name_keeps_19_characters_padded_and_reaches_the_tank)
{
    put(3, 0);
    start();
    edit_product(3);

    enter_text(own.name, "ABCDEFGHIJKLMNOPQRSTUVWXY");

    char stored[20];
    product(3).name.get(stored, 20);
    EXPECT_EQ(std::string(stored, 20), "ABCDEFGHIJKLMNOPQRS ");
    EXPECT_EQ(channel_name(0), "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(shown_name(), "ABCDEFGHIJKLMNOPQRS");
}

TEST_F(Product_settings, names_show_without_their_padding_and_an_empty_one_as_dots)
{
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {
        {"Two words", "Two words"},
        {"   Lead", "Lead"},
        {"", "......."},
    };
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Operator_name::store_typed(product(7).name, c.stored);
        edit_product(7);
        EXPECT_EQ(shown_name(), c.shown);
        edit_product(0);
    }
}

TEST_F(Product_settings, calibrate_opens_tank_calibration_only_for_a_tank_not_nh3)
{
    const struct {
        int wheat_on;
        int mode;
        bool opens;
    } cases[] = {
        {10, 0, false},
        {1, 2, false},
        {1, 0, true},
        {2, 1, true},
    };
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wheat_on);
        head().set(body().internal.current_tank_cal_step, 9u);
        head().set(body().internal.current_tank_cal_index, 9u);
        if (c.wheat_on < 4)
            channel(c.wheat_on).mode.set(uint8_t(c.mode));
        put(3, c.wheat_on);
        man().switch_to_screen("product_settings_mask");
        edit_product(3);

        press(own.cal_factor_button);

        EXPECT_EQ(showing("tank_calibration_settings_mask"), c.opens);
        EXPECT_EQ(head().get(body().internal.current_tank_cal_step), c.opens ? 0u : 9u);
        EXPECT_EQ(head().get(body().internal.current_tank_cal_index), c.opens ? uint32_t(c.wheat_on) : 9u);
        EXPECT_EQ(hidden(own.cal_button_group), c.mode == 2 && c.wheat_on < 4);
        EXPECT_EQ(hidden(own.cal_factor_group), !(c.mode == 2 && c.wheat_on < 4));
        put(3, 10);
    }
}

TEST_F(Product_settings, density_never_reaches_a_channel_and_the_factor_does)
{
    put(3, 0);
    start();
    edit_product(3);
    channel(0).cal_setting.set(0.5f);

    enter_number(own.density, 150); // 1.5
    EXPECT_FLOAT_EQ(product(3).density.get(), 1.5f);
    EXPECT_FLOAT_EQ(channel(0).cal_setting.get(), 0.5f);
    EXPECT_FLOAT_EQ(channel(0).preset_rate_1.get(), 0.0f);

    enter_number(own.cal_factor, 750); // 0.750
    EXPECT_FLOAT_EQ(product(3).product_cal_factor.get(), 0.75f);
    EXPECT_FLOAT_EQ(channel(0).cal_setting.get(), 0.75f);

    enter_number(own.rate_1, 1205); // 120.5
    EXPECT_FLOAT_EQ(product(3).preset_rate_1.get(), 120.5f);
    EXPECT_FLOAT_EQ(channel(0).preset_rate_1.get(), 120.5f);
}

TEST_F(Product_settings, a_stored_tank_or_product_index_beyond_the_arrays_does_not_stop_the_program)
{
    product(0).tank.set(12);
    start();
    EXPECT_EQ(item(own.tank_list), 4) << "tank 12 shows as OFF";
    EXPECT_FALSE(hidden(own.cal_button_group));
    EXPECT_TRUE(hidden(own.cal_factor_group));

    pick(own.tank_list, 0);
    EXPECT_EQ(product(0).tank.get(), 0);
    EXPECT_TRUE(head().get(store_channel(0).product_assigned));

    edit_product(20);
    EXPECT_EQ(screen->get_current_product(), 0) << "the screen keeps its product";
    edit_product(3);
    EXPECT_EQ(screen->get_current_product(), 3);
}
