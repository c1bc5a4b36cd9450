#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_Rectangle_obj.h"
#include "tests/support/Ui_fixture.h"
#include "tests/ui/Seeder_screens_fixture.h"
#include "ui/screens/AlarmSettingsMenu.h"
#include "ui/screens/ProductSettingsMenu.h"

#include <functional>

namespace {

struct Link_case {
    const char* screen;
    std::function<uint16_t(const Seeder_pool_ids&)> id;
    const char* target;
};

const Link_case link_cases[] = {
    {"settings_menu", [](auto& i) { return i.settings_menu.seeder_button; }, "seeder_settings_menu"},
    {"settings_menu", [](auto& i) { return i.settings_menu.products_button; }, "product_settings_menu"},
    {"settings_menu", [](auto& i) { return i.settings_menu.alarms_button; }, "alarm_settings_menu"},
    {"settings_menu", [](auto& i) { return i.settings_menu.area_test_button; }, "area_test_mask"},
    {"settings_menu", [](auto& i) { return i.settings_menu.advanced_button; }, "advanced_settings_mask"},
    {"settings_menu", [](auto& i) { return i.settings_menu.main_key; }, "main"},
    {"seeder_settings_menu", [](auto& i) { return i.seeder_settings_menu.menu_buttons[0]; }, "tank_settings_mask"},
    {"seeder_settings_menu", [](auto& i) { return i.seeder_settings_menu.tank_preload_button; },
     "tank_preload_settings_mask"},
    {"seeder_settings_menu", [](auto& i) { return i.seeder_settings_menu.menu_buttons[1]; }, "external_options_mask"},
    {"seeder_settings_menu", [](auto& i) { return i.seeder_settings_menu.menu_buttons[2]; },
     "blocked_head_settings_mask"},
    {"seeder_settings_menu", [](auto& i) { return i.seeder_settings_menu.menu_buttons[3]; },
     "wheel_calibration_settings_mask"},
    {"seeder_settings_menu", [](auto& i) { return i.seeder_settings_menu.menu_buttons[4]; }, "fan_settings_mask"},
    {"seeder_settings_menu", [](auto& i) { return i.seeder_settings_menu.menu_buttons[5]; },
     "width_and_speed_settings_mask"},
    {"seeder_settings_menu", [](auto& i) { return i.seeder_settings_menu.menu_buttons[6]; }, "seeder_brand_mask"},
    {"seeder_settings_menu", [](auto& i) { return i.seeder_settings_menu.menu_buttons[7]; },
     "operating_history_menu_mask"},
    {"seeder_settings_menu", [](auto& i) { return i.seeder_settings_menu.settings_key; }, "settings_menu"},
    {"seeder_settings_menu", [](auto& i) { return i.seeder_settings_menu.main_key; }, "main"},
    {"product_settings_menu", [](auto& i) { return i.product_settings_menu.settings_key; }, "settings_menu"},
    {"product_settings_menu", [](auto& i) { return i.product_settings_menu.main_key; }, "main"},
    {"product_settings_menu", [](auto& i) { return i.product_settings_menu.multi_cal_key; }, "multi_tank_cal_1_mask"},
    {"product_settings_menu", [](auto& i) { return i.product_settings_menu.product_buttons[0]; },
     "product_settings_mask"},
    {"alarm_settings_menu", [](auto& i) { return i.alarm_settings_menu.menu_buttons[0]; }, "fan_alarms_mask"},
    {"alarm_settings_menu", [](auto& i) { return i.alarm_settings_menu.menu_buttons[1]; }, "tank_motor_alarms_mask"},
    {"alarm_settings_menu", [](auto& i) { return i.alarm_settings_menu.menu_buttons[2]; }, "shaft_alarms_mask"},
    {"alarm_settings_menu", [](auto& i) { return i.alarm_settings_menu.menu_buttons[3]; }, "tank_gear_alarms_mask"},
    {"alarm_settings_menu", [](auto& i) { return i.alarm_settings_menu.menu_buttons[4]; }, "tank_alarms_mask"},
    {"alarm_settings_menu", [](auto& i) { return i.alarm_settings_menu.menu_buttons[5]; },
     "tank_pressure_alarms_mask"},
    {"alarm_settings_menu", [](auto& i) { return i.alarm_settings_menu.menu_buttons[6]; }, "other_alarms_mask"},
    {"alarm_settings_menu", [](auto& i) { return i.alarm_settings_menu.menu_buttons[7]; }, "no_flow_alarms_mask"},
    {"alarm_settings_menu", [](auto& i) { return i.alarm_settings_menu.settings_key; }, "settings_menu"},
    {"alarm_settings_menu", [](auto& i) { return i.alarm_settings_menu.main_key; }, "main"},
};

using Menu_screens = Seeder_screens;

}

TEST_F(Menu_screens, every_menu_key_and_button_switches_to_its_screen)
{
    for (const Link_case& c : link_cases) {
        SCOPED_TRACE(std::string(c.screen) + " to " + c.target);
        ASSERT_NE(rig.man().find_screen(c.target), nullptr);
        show(c.screen);
        press(c.id(ids));
        EXPECT_EQ(current(), c.target);
    }
}

TEST_F(Menu_screens, a_key_acts_on_its_release_only)
{
    show("settings_menu");
    rig.activate(ids.settings_menu.seeder_button, ids.settings_menu.mask, Soft_key_activation_event::pressed);
    rig.activate(ids.settings_menu.seeder_button, ids.settings_menu.mask, Soft_key_activation_event::held);
    EXPECT_EQ(current(), "settings_menu");
    rig.activate(ids.settings_menu.seeder_button, ids.settings_menu.mask, Soft_key_activation_event::released);
    EXPECT_EQ(current(), "seeder_settings_menu");
}

namespace {

struct Tank {
    bool enabled;
    uint8_t mode;
    uint8_t drive; // granular_controller_type
};

struct Preload_case {
    const char* what;
    std::vector<Tank> tanks; // tanks 1, 2, ... as far as given; the rest disabled
    bool shown;
};

const Preload_case preload_cases[] = {
    {"no tank enabled", {}, false},
    {"tank 1 granular, electric", {{true, 0, 0}}, true},
    {"tank 1 granular, actuator", {{true, 0, 1}}, false},
    {"tank 1 granular, proportional valve", {{true, 0, 3}}, true},
    {"tank 1 liquid", {{true, 1, 0}}, false},
    {"tank 1 NH3", {{true, 2, 0}}, false},
    {"tank 1 granular but disabled", {{false, 0, 0}}, false},
    {"tank 4 qualifies after three that do not",
     {{true, 0, 1}, {true, 1, 0}, {false, 0, 0}, {true, 0, 0}},
     true},
    {"tank 5 alone qualifies", {{false, 0, 0}, {false, 0, 0}, {false, 0, 0}, {false, 0, 0}, {true, 0, 0}}, false},
};

}

TEST_F(Menu_screens, the_tank_preload_button_shows_while_a_granular_tank_without_actuator_among_tanks_1_to_4_is_on)
{
    for (const Preload_case& c : preload_cases) {
        SCOPED_TRACE(c.what);
        rig.parameters.set_default(true);
        for (size_t t = 0; t < c.tanks.size(); ++t) {
            NV_quvel::channel_t& channel = *rig.parameters.app.channels[int(t)];
            channel.enabled.set(c.tanks[t].enabled);
            channel.mode.set(c.tanks[t].mode);
            channel.granular_controller_type.set(c.tanks[t].drive);
        }
        show("main");
        show("seeder_settings_menu");
        EXPECT_EQ(pointer_value(ids.seeder_settings_menu.pointer), c.shown ? ids.seeder_settings_menu.tank_preload_button.oid : 0xFFFF);
    }
}

TEST_F(Menu_screens, a_tank_change_updates_the_preload_button_only_once_the_pool_is_uploaded)
{
    show("seeder_settings_menu");
    ASSERT_EQ(pointer_value(ids.seeder_settings_menu.pointer), 0xFFFF);

    rig.parameters.app.channels[2]->enabled.set(true);
    rig.parameters.app.channels[2]->granular_controller_type.set(0);
    rig.pump();
    EXPECT_EQ(pointer_value(ids.seeder_settings_menu.pointer), ids.seeder_settings_menu.tank_preload_button.oid);

    rig.store.head.set(rig.store.body.system.vt_uploaded, false);
    rig.parameters.app.channels[2]->enabled.set(false);
    rig.pump();
    EXPECT_EQ(pointer_value(ids.seeder_settings_menu.pointer), ids.seeder_settings_menu.tank_preload_button.oid) << "left as it was";
}

TEST_F(Menu_screens, a_product_button_stores_its_index_with_one_event_before_the_switch)
{
    for (int product : {1, 16}) {
        SCOPED_TRACE(product);
        show("product_settings_menu");
        rig.probe.follow(&rig.store.body.internal, sizeof rig.store.body.internal);
        press(ids.product_settings_menu.product_buttons[product - 1]);
        EXPECT_EQ(rig.changes_of(rig.store.body.internal.current_product_index).size(), 1u);
        EXPECT_EQ(rig.store.body.internal.current_product_index, uint32_t(product - 1));
        EXPECT_EQ(current(), "product_settings_mask");
    }
}

TEST_F(Menu_screens, the_inhibit_key_toggles_the_flag_with_one_byte_events_and_recolours_its_mark)
{
    auto& menu = dynamic_cast<AlarmSettingsMenu&>(*rig.man().find_screen("alarm_settings_menu"));
    auto mark = [&] {
        return state<VT::Rectangle_obj>(ids.alarm_settings_menu.rectangle, [](auto& o) { return o.get_fill_attributes(); });
    };
    show("alarm_settings_menu");
    EXPECT_EQ(menu.inhibit_state(), 0);
    EXPECT_EQ(mark(), ids.main.fill_red.oid);
    rig.probe.follow(&rig.store.body.internal, sizeof rig.store.body.internal);

    const struct {
        bool inhibited;
        uint16_t fill;
    } presses[] = {{true, ids.main.fill_green}, {false, ids.main.fill_red}};
    for (const auto& p : presses) {
        press(ids.alarm_settings_menu.inhibit_key);
        EXPECT_EQ(rig.changes_of(rig.store.body.internal.inhibit_vt_alarms).size(), 1u);
        EXPECT_EQ(rig.store.body.internal.inhibit_vt_alarms, p.inhibited);
        EXPECT_EQ(mark(), p.fill);
    }

    rig.store.head.set(rig.store.body.internal.inhibit_vt_alarms, true); // from elsewhere
    show("main");
    show("alarm_settings_menu");
    EXPECT_EQ(mark(), ids.main.fill_green.oid) << "set from the store on activation";
}

TEST_F(Menu_screens, the_brand_list_stores_the_personality_and_shows_one_changed_elsewhere_on_the_next_visit)
{
    show("seeder_brand_mask");
    pick(ids.seeder_brand.brand_list, 1);
    EXPECT_EQ(rig.parameters.app.personality.get(), 1);

    rig.parameters.app.personality.set(4); // from the console
    show("seeder_settings_menu");
    show("seeder_brand_mask");
    EXPECT_EQ(list_value(ids.seeder_brand.brand_list), 4u);
}

namespace {

// The product menu on test objects whose text lines hold 20 characters.
class Product_lines : public Ui_fixture {
protected:
    Product_lines()
    {
        iface.on_setup = [this](VT::vtui_pool&, UI::Setup_config& config) { config.home = &menu; };
    }
    void build()
    {
        Product_settings_menu_ids& own = ids.product_settings_menu;
        for (int i = 0; i < 16; ++i) {
            Ui_test_pool::record(own.product_buttons[i], pool->button());
            Ui_test_pool::record(own.product_labels[i], pool->output_string(20));
            Ui_test_pool::record(own.tank_labels[i], pool->output_string(8));
        }
        Ui_test_pool::record(own.mask, pool->data_mask());
    }
    std::string line(const Output_string_id& id)
    {
        auto* text = pool->object<VT::Output_string_obj>(id);
        pool->lock_pool();
        std::string value(text->get_value(), text->get_length());
        pool->unlock_pool();
        return value.substr(0, value.find_last_not_of(' ') + 1);
    }

    Seeder_pool_ids ids;
    ProductSettingsMenu menu{"product_settings_menu", &man(), Screen_objects{*store, *parameters, ids, nullptr, nullptr}};
};

}

TEST_F(Product_lines, each_product_shows_its_name_cut_to_19_characters_and_its_tank_or_off)
{
    const struct {
        int product;
        const char* name;
        uint8_t tank;
        const char* shown_name;
        const char* shown_tank;
    } cases[] = {
        {1, "WHEAT", 10, "WHEAT", "OFF"},
        {2, "CANOLA   ", 0, "CANOLA", "Tank1"},
        {3, "ABCDEFGHIJKLMNOPQRST", 9, "ABCDEFGHIJKLMNOPQRS", "Tank10"},
        {16, "LAST", 3, "LAST", "Tank4"},
    };
    build();
    for (const auto& c : cases) {
        parameters->app.products[c.product - 1]->name.set(c.name, int(strlen(c.name)));
        parameters->app.products[c.product - 1]->tank.set(c.tank);
    }
    start_without_vt();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.product);
        EXPECT_EQ(line(ids.product_settings_menu.product_labels[c.product - 1]), c.shown_name);
        EXPECT_EQ(line(ids.product_settings_menu.tank_labels[c.product - 1]), c.shown_tank);
    }

    parameters->app.products[0]->tank.set(4); // changed while the menu is set up
    pump();
    EXPECT_EQ(line(ids.product_settings_menu.tank_labels[0]), "Tank5");
}
