#include "tests/ui/Screen_rig.h"
#include "ui/screens/FanSettingsMask.h"

namespace {

class Fan_settings : public Screen_rig<FanSettingsMask> {
protected:
    Fan_settings()
        : Screen_rig("fan_settings_mask")
    {
        std::vector<uint16_t> keys;
        for (Key_id* key : {&own.seeder_key, &own.settings_key, &own.main_key})
            keys.push_back(record(*key, pool->key()));
        record(own.mask, pool->data_mask(pool->soft_key_mask(keys)));
        record(own.fan_count, list_of(2));
        record(own.case_drain, list_of(2));
        record(own.pump, list_of(2));
        record(own.case_drain_group, pool->container());
        record(own.pump_group, pool->container());
        for (int i = 0; i < 2; ++i) {
            record(own.gains[i], list_of(2));
            record(own.senses[i], list_of(2));
            record(own.magnets[i], pool->input_number(0, 255));
            record(own.sense_groups[i], pool->container());
            record(own.magnets_groups[i], pool->container());
        }
    }
    NV_quvel::fan_t& fan(int i) { return *parameters->app.fans[i]; }
    // Enabled, rpm sensing, pressure sensing, sensor type.
    std::tuple<bool, bool, bool, int> flags(int i)
    {
        return {fan(i).enabled.get(), fan(i).sense_rpm.get(), fan(i).sense_pressure.get(),
                fan(i).pressure_sensor_type.get()};
    }
    bool fan_rows_hidden(int i) { return hidden(own.sense_groups[i]) && hidden(own.magnets_groups[i]); }
    bool fan_rows_shown(int i) { return !hidden(own.sense_groups[i]) && !hidden(own.magnets_groups[i]); }

    Fan_settings_ids& own = ids.fan_settings;
};

using Flags = std::tuple<bool, bool, bool, int>;

}

TEST_F(Fan_settings, the_count_picked_sets_the_flags_of_both_fans_and_shows_their_rows)
{
    start();
    pick(own.fan_count, 1);
    EXPECT_EQ(flags(0), Flags(true, true, true, 1));
    EXPECT_EQ(flags(1), Flags(true, true, true, 1));
    EXPECT_TRUE(fan_rows_shown(1));
    EXPECT_FALSE(hidden(own.pump_group));

    pick(own.fan_count, 0);
    EXPECT_EQ(flags(0), Flags(true, true, true, 1));
    EXPECT_EQ(flags(1), Flags(false, false, false, 1));
    EXPECT_TRUE(fan_rows_shown(0));
    EXPECT_TRUE(fan_rows_hidden(1)) << "through the listener";
    EXPECT_TRUE(hidden(own.pump_group));
}

TEST_F(Fan_settings, start_up_keeps_valid_stored_flags_and_mends_an_invalid_count)
{
    const struct {
        const char* name;
        bool first, second;
        int count_item;
        Flags first_after, second_after;
    } cases[] = {
        {"fan 1 with its pressure sensing disabled", true, false, 0, {true, true, false, 0}, {false, false, false, 1}},
        {"two fans", true, true, 1, {true, true, false, 0}, {true, false, false, 1}},
        {"no fan", false, false, 0, {true, true, true, 1}, {false, false, false, 1}},
        {"fan 2 without fan 1", false, true, 0, {true, true, true, 1}, {false, false, false, 1}},
    };
    start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fan(0).enabled.set(c.first);
        fan(0).sense_rpm.set(c.first);
        fan(0).sense_pressure.set(false);
        fan(0).pressure_sensor_type.set(0);
        fan(1).enabled.set(c.second);
        fan(1).sense_rpm.set(false);
        fan(1).sense_pressure.set(false);
        fan(1).pressure_sensor_type.set(1);

        screen->post_snapshot_init();

        EXPECT_EQ(screen->fan_count.get_item(), c.count_item);
        EXPECT_EQ(flags(0), c.first_after);
        EXPECT_EQ(flags(1), c.second_after);
    }
}

TEST_F(Fan_settings, gain_magnets_and_sense_show_and_store_as_mapped)
{
    start();
    pick(own.fan_count, 1);
    const struct {
        int stored_gain, shown_gain;
        int stored_magnets, shown_magnets;
    } shown[] = {{0, 0, 0, 0}, {1, 0, 4, 4}, {2, 1, 10, 10}, {5, 1, 12, 10}};
    for (const auto& c : shown) {
        SCOPED_TRACE(c.stored_gain);
        fan(1).pressure_gain.set(uint8_t(c.stored_gain));
        fan(1).encoder.set(uint8_t(c.stored_magnets));
        pump();
        EXPECT_EQ(item(own.gains[1]), c.shown_gain);
        EXPECT_EQ(number(own.magnets[1]), uint32_t(c.shown_magnets));
        EXPECT_EQ(fan(1).encoder.get(), c.stored_magnets) << "shown clamped, kept stored";
    }

    pick(own.gains[0], 1);
    EXPECT_EQ(fan(0).pressure_gain.get(), 2);
    pick(own.gains[1], 0);
    EXPECT_EQ(fan(1).pressure_gain.get(), 1);
    enter_number(own.magnets[0], 7);
    EXPECT_EQ(fan(0).encoder.get(), 7);
    enter_number(own.magnets[1], 11);
    EXPECT_EQ(fan(1).encoder.get(), 12) << "refused beyond 10";
    pick(own.senses[1], 0);
    EXPECT_EQ(std::make_pair(fan(1).sense_pressure.get(), int(fan(1).pressure_sensor_type.get())),
              std::make_pair(false, 0));
    pick(own.senses[1], 1);
    EXPECT_EQ(std::make_pair(fan(1).sense_pressure.get(), int(fan(1).pressure_sensor_type.get())),
              std::make_pair(true, 1));
    pick(own.pump, 1);
    EXPECT_TRUE(fan(1).use_fan_as_pump.get());
    pick(own.case_drain, 1);
    EXPECT_TRUE(parameters->app.using_case_drain_alarm.get());
    EXPECT_FALSE(hidden(own.case_drain_group));
}
