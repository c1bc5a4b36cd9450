#include "tests/ui/Screen_rig.h"
#include "ui/screens/TankPreloadSettingsMask.h"

namespace {

class Tank_preload : public Screen_rig<TankPreloadSettingsMask> {
protected:
    Tank_preload()
        : Screen_rig("tank_preload_settings_mask")
    {
        std::vector<uint16_t> keys;
        for (Key_id* key : {&own.seeder_key, &own.settings_key, &own.main_key})
            keys.push_back(record(*key, pool->key()));
        record(own.mask, pool->data_mask(pool->soft_key_mask(keys)));
        record(own.preload_time, pool->input_number(0, 1000));
    }
    Tank_preload_ids& own = ids.tank_preload;
    decltype(NV_quvel::application_t::preload_time)& stored = parameters->app.preload_time;
};

}

TEST_F(Tank_preload, an_entry_in_range_is_stored_unchanged_and_one_outside_refused)
{
    start();
    const struct {
        uint32_t raw;
        float stored;
    } cases[] = {{0, 0.0f}, {25, 2.5f}, {123, 12.3f}, {150, 15.0f}, {151, 15.0f}, {400, 15.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        enter_number(own.preload_time, c.raw);
        EXPECT_FLOAT_EQ(stored.get(), c.stored);
    }
}

TEST_F(Tank_preload, the_refresh_shows_the_stored_time_within_0_to_5_and_leaves_it_alone)
{
    const struct {
        float stored;
        double shown;
    } cases[] = {{-3.0f, 0.0}, {0.0f, 0.0}, {4.5f, 4.5}, {5.0f, 5.0}, {12.0f, 5.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        stored.set(c.stored);
        screen->post_snapshot_init();
        EXPECT_DOUBLE_EQ(screen->preload_time.get_val(), c.shown);
        EXPECT_FLOAT_EQ(stored.get(), c.stored);
    }
}

TEST_F(Tank_preload, the_keys_switch_to_their_screens)
{
    add_target("main");
    add_target("settings_menu");
    add_target("seeder_settings_menu");
    start();
    const std::pair<uint16_t, const char*> cases[] = {
        {own.main_key, "main"}, {own.settings_key, "settings_menu"}, {own.seeder_key, "seeder_settings_menu"}};
    for (const auto& [key, target] : cases) {
        SCOPED_TRACE(target);
        man().switch_to_screen("tank_preload_settings_mask");
        pump();
        press(key);
        EXPECT_TRUE(showing(target));
    }
}
