#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "tests/ui/Seeder_screens_fixture.h"
#include "ui/screens/FansHistoryMask.h"
#include "ui/screens/TotalsHistoryMask.h"

#include <functional>

namespace {

class History_screens : public Seeder_screens {
protected:
    template <class S>
    S& screen(const char* key)
    {
        return dynamic_cast<S&>(*rig.man().find_screen(key));
    }
    // The raw number the VT shows.
    uint32_t number(uint16_t id)
    {
        return state<VT::Output_number_obj>(id, [](auto& o) { return o.get_value(); });
    }
    // The object in the list's entry (0xFFFF: blank).
    uint16_t entry(uint16_t list, uint8_t index)
    {
        return state<VT::Input_list_obj>(list, [index](auto& o) { return o.get_item(index); });
    }
    template <class T>
    void set(T& field, const T& value)
    {
        rig.store.head.set(field, value);
        rig.pump();
    }
    ds_history& history = rig.store.body.history;
};

struct Link_case {
    const char* screen;
    std::function<uint16_t(const Seeder_pool_ids&)> id;
    const char* target;
};

// Each history page has the same four keys.
template <class Ids>
void add_page_links(std::vector<Link_case>& cases, const char* screen, Ids Seeder_pool_ids::*page)
{
    const std::pair<Key_id History_screen_keys::*, const char*> keys[] = {
        {&History_screen_keys::history_key, "operating_history_menu_mask"},
        {&History_screen_keys::main_key, "main"},
        {&History_screen_keys::settings_key, "settings_menu"},
        {&History_screen_keys::seeder_key, "seeder_settings_menu"}};
    for (const auto& [key, target] : keys)
        cases.push_back({screen, [page, key = key](auto& i) -> uint16_t { return (i.*page).keys.*key; }, target});
}

std::vector<Link_case> link_cases()
{
    std::vector<Link_case> cases = {
        {"operating_history_menu_mask", [](auto& i) { return i.operating_history_menu.main_key; }, "main"},
        {"operating_history_menu_mask", [](auto& i) { return i.operating_history_menu.settings_key; },
         "settings_menu"},
        {"operating_history_menu_mask", [](auto& i) { return i.operating_history_menu.seeder_key; },
         "seeder_settings_menu"},
        {"operating_history_menu_mask", [](auto& i) { return i.operating_history_menu.menu_buttons[0]; },
         "totals_history_mask"},
        {"operating_history_menu_mask", [](auto& i) { return i.operating_history_menu.menu_buttons[1]; },
         "shafts_history_mask"},
        {"operating_history_menu_mask", [](auto& i) { return i.operating_history_menu.menu_buttons[2]; },
         "fans_history_mask"},
    };
    add_page_links(cases, "totals_history_mask", &Seeder_pool_ids::totals_history);
    add_page_links(cases, "shafts_history_mask", &Seeder_pool_ids::shafts_history);
    add_page_links(cases, "fans_history_mask", &Seeder_pool_ids::fans_history);
    return cases;
}

}

TEST_F(History_screens, every_key_and_button_switches_to_its_screen)
{
    for (const Link_case& c : link_cases()) {
        SCOPED_TRACE(std::string(c.screen) + " to " + c.target);
        show(c.screen);
        press(c.id(ids));
        EXPECT_EQ(current(), c.target);
    }
}

TEST_F(History_screens, the_totals_follow_the_history_also_while_another_screen_is_shown)
{
    auto& totals = screen<TotalsHistoryMask>("totals_history_mask");
    show("totals_history_mask");
    show("main");
    set(history.machine_operating_area, 12.5f);
    set(history.machine_operating_distance, 3250.0f);
    set(history.machine_operating_time, 7.5f);
    set(history.max_speed, 4.0f);
    set(history.output[3], 250.5f);

    EXPECT_DOUBLE_EQ(totals.area.get_val(), 125000.0) << "hectares shown as square metres";
    EXPECT_DOUBLE_EQ(totals.distance.get_val(), 3250.0);
    EXPECT_DOUBLE_EQ(totals.time.get_val(), 7.5);
    EXPECT_DOUBLE_EQ(totals.max_speed.get_val(), 4.0);
    EXPECT_DOUBLE_EQ(totals.tank_totals[3].get_val(), 250.5);
    const Totals_history_ids& own = ids.totals_history;
    EXPECT_EQ(number(own.area), 125u) << "tenths of a hectare";
    EXPECT_EQ(number(own.distance), 3250u);
    EXPECT_EQ(number(own.time), 75u);
    EXPECT_EQ(number(own.max_speed), 144u) << "m/s shown in tenths of km/h";
    EXPECT_EQ(number(own.tank_totals[3]), 2505u);
}

TEST_F(History_screens, a_tank_total_takes_the_formats_of_its_product_type_at_the_next_showing_only)
{
    auto& totals = screen<TotalsHistoryMask>("totals_history_mask");
    auto units = [&](int t) { return totals.tank_totals[t].get_format().get_units_type(); };
    NV_quvel::channel_t& tank2 = *rig.parameters.app.channels[1];
    tank2.mode.set(2);
    rig.pump();
    show("totals_history_mask");
    EXPECT_EQ(units(1), 16u);
    EXPECT_EQ(units(0), 15u) << "granular";

    set(history.output[1], 80.0f);
    tank2.mode.set(1);
    rig.pump();
    EXPECT_EQ(units(1), 16u) << "not while shown";
    show("main");
    EXPECT_EQ(units(1), 16u) << "not while away";
    show("totals_history_mask");
    EXPECT_EQ(units(1), 12u);
    EXPECT_DOUBLE_EQ(totals.tank_totals[1].get_val(), 80.0);
    EXPECT_EQ(number(ids.totals_history.tank_totals[1]), 800u);

    const struct {
        uint8_t mode;
        unsigned units;
        double imperial_step;
    } cases[] = {{0, 15, 0.045359237}, {1, 12, 0.1}, {2, 16, 0.045359237}, {7, 15, 0.045359237}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.mode));
        tank2.mode.set(c.mode);
        show("main");
        show("totals_history_mask");
        EXPECT_EQ(units(1), c.units);
        rig.ui.get_units().set_system(Units_man::imperial);
        totals.set_units(rig.ui.get_units());
        EXPECT_DOUBLE_EQ(totals.tank_totals[1].get_format().get_step(), c.imperial_step);
        rig.ui.get_units().set_system(Units_man::metric);
        totals.set_units(rig.ui.get_units());
    }
}

TEST_F(History_screens, the_shafts_follow_the_history)
{
    for (int s = 0; s < 4; ++s)
        set(history.shaft_max_speed[s], 10.0f * float(s + 1) + 0.5f);
    show("shafts_history_mask");
    for (int s = 0; s < 4; ++s)
        EXPECT_EQ(number(ids.shafts_history.shaft_speeds[s]), uint32_t(100 * (s + 1) + 5)) << s;
}

TEST_F(History_screens, the_fan_page_shows_the_chosen_fan)
{
    auto& page = screen<FansHistoryMask>("fans_history_mask");
    const Fans_history_ids& own = ids.fans_history;
    for (int f = 0; f < 2; ++f) {
        set(history.fan_max_speed[f], 100.0f * float(f + 1));
        set(history.fan_max_pressure[f], 2.0f + float(f));
        set(history.fan_avg_speed[f], 50.0f * float(f + 1));
        set(history.fan_avg_pressure[f], 1.0f + float(f));
    }
    show("fans_history_mask");
    EXPECT_EQ(list_value(own.fan_list), 0u);
    EXPECT_EQ(number(own.max_speed), 1000u);

    pick(own.fan_list, 1);
    EXPECT_EQ(page.fan.get_item(), 1u);
    EXPECT_DOUBLE_EQ(page.max_speed.get_val(), 200.0);
    EXPECT_DOUBLE_EQ(page.max_pressure.get_val(), 3.0);
    EXPECT_DOUBLE_EQ(page.avg_speed.get_val(), 100.0);
    EXPECT_DOUBLE_EQ(page.avg_pressure.get_val(), 2.0);

    set(history.fan_avg_pressure[1], 2.5f);
    EXPECT_EQ(number(own.avg_pressure), 25u) << "follows the chosen fan's history";
}

TEST_F(History_screens, a_change_to_the_fans_settings_reselects_fan_1_unless_the_chosen_fan_stays_enabled)
{
    auto& page = screen<FansHistoryMask>("fans_history_mask");
    const Fans_history_ids& own = ids.fans_history;
    NV_quvel::fan_t& fan1 = *rig.parameters.app.fans[0];
    NV_quvel::fan_t& fan2 = *rig.parameters.app.fans[1];
    const struct {
        const char* what;
        uint8_t chosen;
        std::function<void()> change;
        uint16_t chosen_after;
        bool fan2_entry_blank;
    } cases[] = {
        {"fan 2 chosen and disabled", 1, [&] { fan2.enabled.set(false); }, 0, true},
        {"fan 2 chosen, its other settings change", 1, [&] { fan2.encoder.set(uint8_t(fan2.encoder.get() + 1)); }, 1,
         false},
        {"fan 1 chosen, fan 2 changes", 0, [&] { fan2.encoder.set(uint8_t(fan2.encoder.get() + 1)); }, 0, false},
        {"fan 2 chosen, fan 1 changes", 1, [&] { fan1.encoder.set(uint8_t(fan1.encoder.get() + 1)); }, 0, false},
    };
    set(history.fan_max_speed[0], 100.0f);
    set(history.fan_max_speed[1], 200.0f);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fan1.enabled.set(true);
        fan2.enabled.set(true);
        rig.pump();
        show("fans_history_mask");
        pick(own.fan_list, c.chosen);
        ASSERT_EQ(page.fan.get_item(), c.chosen);

        c.change();
        rig.pump();
        EXPECT_EQ(page.fan.get_item(), c.chosen_after);
        if (c.chosen_after != c.chosen) {
            EXPECT_EQ(list_value(own.fan_list), c.chosen_after) << "the VT is told";
        }
        EXPECT_EQ(page.max_speed.get_val(), c.chosen_after == 0 ? 100.0 : 200.0);
        EXPECT_EQ(entry(own.fan_list, 1),
                  c.fan2_entry_blank ? uint16_t(0xFFFF) : ids.fans_history_more.fan_items[1].oid);
        EXPECT_EQ(entry(own.fan_list, 0), ids.fans_history_more.fan_items[0].oid);
    }
}
