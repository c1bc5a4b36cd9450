#include "platform/ui/Units_man.h"
#include "tests/support/Store_probe.h"
#include "tests/ui/Screen_rig.h"
#include "ui/screens/WidthAndSpeedSettingsMask.h"

namespace {

class Width_and_speed : public Screen_rig<WidthAndSpeedSettingsMask> {
protected:
    Width_and_speed()
        : Screen_rig("width_and_speed_settings_mask")
    {
        std::vector<uint16_t> keys;
        for (Key_id* key : {&own.seeder_key, &own.settings_key, &own.main_key})
            keys.push_back(record(*key, pool->key()));
        record(own.mask, pool->data_mask(pool->soft_key_mask(keys)));
        record(own.width, pool->input_number(0, 1000000));
        record(own.manual_speed, pool->input_number(0, 1000000));
        record(own.speed_source, list_of(7));
        man().set_units_man(&units);
    }
    // The width entered in millimetres (metric) and what the store saw of it.
    void enter_width_mm(uint32_t mm) { enter_number(own.width, mm); }
    double section_width() { return app.booms.booms[0]->sections[0]->width.get(); }

    Width_and_speed_ids& own = ids.width_and_speed;
    NV_quvel::application_t& app = parameters->app;
    Units_man units;
};

}

TEST_F(Width_and_speed, the_stored_width_entered_again_writes_nothing_and_a_new_one_both_widths_and_one_tc_reset)
{
    app.machine_width.set(12.3f);
    app.booms.booms[0]->sections[0]->width.set(12.3);
    start();
    Store_probe probe(head());
    probe.follow(&body().system, sizeof body().system);

    enter_width_mm(12300);
    EXPECT_TRUE(probe.take_changes().empty());
    EXPECT_FALSE(head().get(body().system.reset_tc));

    enter_width_mm(12000);
    EXPECT_EQ(probe.take_changes(), std::vector<Store_probe::Change>{probe.change_of(body().system.reset_tc)});
    EXPECT_TRUE(head().get(body().system.reset_tc));
    EXPECT_FLOAT_EQ(app.machine_width.get(), 12.0f);
    EXPECT_DOUBLE_EQ(section_width(), 12.0);

    enter_width_mm(12000);
    EXPECT_TRUE(probe.take_changes().empty());
}

TEST_F(Width_and_speed, the_snapshot_shows_the_stored_values_within_the_ranges)
{
    const struct {
        float width, speed_kmh;
        double shown_width, shown_speed_ms;
    } cases[] = {
        {-1.0f, -5.0f, 0.0, 0.0},
        {12.5f, 36.0f, 12.5, 10.0},
        {150.0f, 60.0f, 100.0, 13.88888888888889},
    };
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.speed_kmh);
        app.machine_width.set(c.width);
        app.manual_speed.set(c.speed_kmh);
        screen->post_snapshot_init();
        EXPECT_NEAR(screen->width.get_val(), c.shown_width, 1e-6);
        EXPECT_NEAR(screen->manual_speed.get_val(), c.shown_speed_ms, 1e-9);
        EXPECT_FLOAT_EQ(app.manual_speed.get(), c.speed_kmh) << "stored only on an edit";
    }
}

TEST_F(Width_and_speed, manual_speed_entered_in_either_unit_is_stored_in_kmh)
{
    const struct {
        Units_man::System system;
        uint32_t raw; // tenths of km/h or mph
        float stored_kmh;
    } cases[] = {{Units_man::metric, 125, 12.5f}, {Units_man::imperial, 100, 16.09344f}};
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        units.set_system(c.system);
        screen->post_snapshot_init();
        enter_number(own.manual_speed, c.raw);
        EXPECT_FLOAT_EQ(app.manual_speed.get(), c.stored_kmh);
    }
}

TEST_F(Width_and_speed, the_speed_source_item_is_stored_as_the_source)
{
    start();
    for (uint8_t item : {4, 0, 6}) {
        pick(own.speed_source, item);
        EXPECT_EQ(app.speed_source.get(), item);
    }
}

TEST_F(Width_and_speed, the_vt_shows_the_width_in_metres_or_feet_and_takes_no_entry_beyond_100_m)
{
    app.machine_width.set(12.0f);
    start();
    advance(100);
    EXPECT_EQ(vt->shown_number(own.width), "12.000");

    enter_width_mm(100001);
    EXPECT_EQ(vt->lines_with("refused number 100001 for " + std::to_string(own.width)), 1);
    EXPECT_FLOAT_EQ(app.machine_width.get(), 12.0f);
    EXPECT_EQ(vt->shown_number(own.width), "12.000");

    enter_width_mm(100000);
    EXPECT_FLOAT_EQ(app.machine_width.get(), 100.0f);
    EXPECT_EQ(vt->shown_number(own.width), "100.000");

    units.set_system(Units_man::imperial);
    screen->post_snapshot_init();
    screen->send_val_updates(false);
    advance(100);
    // 100 m is 328.08399 ft: shown as 328.084 ft, which is the highest
    // entry and stores 100 m.
    EXPECT_EQ(vt->shown_number(own.width), "328.084");
    enter_number(own.width, 328085);
    EXPECT_EQ(vt->lines_with("refused number 328085 for " + std::to_string(own.width)), 1);
    enter_number(own.width, 328084);
    EXPECT_FLOAT_EQ(app.machine_width.get(), 100.0f);
    enter_number(own.width, 39370);
    EXPECT_NEAR(app.machine_width.get(), 12.0, 1e-4);
    EXPECT_EQ(vt->shown_number(own.width), "39.370");
}
