#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "tests/ui/Seeder_screens_fixture.h"

#include <array>
#include <vector>

// The blocked-head settings on the code-built pool, edited as the operator
// does: what the monitoring side reads is derived after every edit.
namespace {

class Blocked_head_settings : public Seeder_screens {
protected:
    void SetUp() override
    {
        Seeder_screens::SetUp();
        show("blocked_head_settings_mask");
    }
    void enter(uint16_t number, uint32_t value) { pick(number, value); }
    bool hidden(uint16_t container)
    {
        return state<VT::Container_obj>(container, [](auto& o) { return o.get_hidden(); });
    }
    uint32_t number(uint16_t input)
    {
        return state<VT::Input_number_obj>(input, [](auto& o) { return o.get_value(); });
    }
    std::array<unsigned, 4> masks()
    {
        std::array<unsigned, 4> values{};
        for (size_t g = 0; g < values.size(); ++g)
            values[g] = settings.monitor_inputs[int(g)]->mask.get();
        return values;
    }
    // The inputs 0 to 31 of the fertiliser system.
    std::vector<int> fert_inputs()
    {
        std::vector<int> inputs;
        for (int i = 0; i < 32; ++i)
            if (settings.monitor_inputs_sections[i]->boom_section.get() == 1)
                inputs.push_back(i);
            else
                EXPECT_EQ(settings.monitor_inputs_sections[i]->boom_section.get(), 0) << i;
        return inputs;
    }
    static std::vector<int> from(int first)
    {
        std::vector<int> inputs;
        for (int i = first; i < 32; ++i)
            inputs.push_back(i);
        return inputs;
    }

    NV_quvel::monitor_ecus_t& settings = rig.parameters.app.monitor_ecus;
    const Blocked_head_settings_ids& own = ids.blocked_head_settings;
};

}

TEST_F(Blocked_head_settings, the_watched_inputs_and_the_fertiliser_inputs_follow_the_settings)
{
    struct Case {
        const char* what;
        uint32_t head_systems; // list item: 0 single, 1 double shoot
        uint32_t enabled_heads; // list item, entered only for double shoot
        uint32_t sensors;
        uint32_t first_fert; // as shown, from 1
        std::array<unsigned, 4> masks;
        int fert_from; // 32: none
    };
    const Case cases[] = {
        {"double shoot, fertiliser only", 1, 2, 24, 17, {0, 0, 0xFF, 0}, 16},
        {"double shoot, seed only", 1, 1, 24, 17, {0xFF, 0xFF, 0, 0}, 16},
        {"double shoot, seed and fertiliser", 1, 0, 20, 9, {0xFF, 0xFF, 0x0F, 0}, 8},
        {"double shoot, fertiliser from the first sensor", 1, 2, 3, 1, {0x07, 0, 0, 0}, 0},
        {"single shoot", 0, 0, 20, 9, {0xFF, 0xFF, 0x0F, 0}, 32},
        {"no sensors", 0, 0, 0, 9, {0, 0, 0, 0}, 32},
        {"more than 32 sensors", 1, 0, 40, 33, {0xFF, 0xFF, 0xFF, 0xFF}, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pick(own.head_systems, c.head_systems);
        if (c.head_systems == 1)
            pick(own.enabled_heads, c.enabled_heads);
        enter(own.num_sensors, c.sensors);
        enter(own.first_fert_sensor, c.first_fert);
        EXPECT_EQ(settings.double_shooting.get(), c.head_systems == 1);
        EXPECT_EQ(settings.num_sensors.get(), c.sensors);
        EXPECT_EQ(settings.first_fert_sensor.get(), c.first_fert - 1);
        EXPECT_EQ(masks(), c.masks);
        EXPECT_EQ(fert_inputs(), from(c.fert_from));
    }
}

TEST_F(Blocked_head_settings, inputs_beyond_32_are_left_as_they_were)
{
    settings.monitor_inputs[4]->mask.set(0x12);
    settings.monitor_inputs_sections[32]->boom_section.set(7);
    pick(own.head_systems, 1);
    enter(own.num_sensors, 40);
    enter(own.first_fert_sensor, 1);
    EXPECT_EQ(masks(), (std::array<unsigned, 4>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(settings.monitor_inputs[4]->mask.get(), 0x12);
    EXPECT_EQ(settings.monitor_inputs_sections[32]->boom_section.get(), 7);
}

TEST_F(Blocked_head_settings, single_shoot_watches_the_seed_heads_only_and_hides_the_double_shoot_rows)
{
    pick(own.head_systems, 1);
    EXPECT_FALSE(hidden(own.enabled_heads_row));
    EXPECT_FALSE(hidden(own.first_fert_row));
    pick(own.enabled_heads, 2);
    pick(own.head_systems, 0);
    EXPECT_FALSE(settings.double_shooting.get());
    EXPECT_EQ(settings.head_systems_enabled.get(), 1); // "Seed Only"
    EXPECT_TRUE(hidden(own.enabled_heads_row));
    EXPECT_TRUE(hidden(own.first_fert_row));
}

TEST_F(Blocked_head_settings, monitoring_switches_monitor_1_and_the_inputs_are_derived_either_way)
{
    enter(own.num_sensors, 8);
    pick(own.monitoring, 1);
    EXPECT_EQ(settings.monitoring_config.get(), 1);
    EXPECT_TRUE(settings.monitor_ecus[0]->enabled.get());

    settings.num_sensors.set(4); // changed elsewhere: the next edit derives from it
    settings.monitor_inputs[0]->mask.set(0xAA);
    pick(own.monitoring, 0);
    EXPECT_EQ(settings.monitoring_config.get(), 0);
    EXPECT_FALSE(settings.monitor_ecus[0]->enabled.get());
    EXPECT_EQ(masks(), (std::array<unsigned, 4>{0x0F, 0, 0, 0}));
}

TEST_F(Blocked_head_settings, the_first_fertiliser_sensor_cannot_be_entered_as_0_nor_a_count_above_40)
{
    enter(own.first_fert_sensor, 5);
    enter(own.first_fert_sensor, 0);
    EXPECT_EQ(settings.first_fert_sensor.get(), 4);
    EXPECT_EQ(number(own.first_fert_sensor), 5u);
    enter(own.num_sensors, 12);
    enter(own.num_sensors, 41);
    EXPECT_EQ(settings.num_sensors.get(), 12);
}

TEST_F(Blocked_head_settings, the_sensor_type_is_stored_and_shown_again_with_every_setting_on_the_next_visit)
{
    pick(own.sensor_type, 1);
    EXPECT_EQ(settings.blockage_sensor_type.get(), 1);
    show("main");
    settings.blockage_sensor_type.set(0);
    settings.double_shooting.set(true);
    settings.head_systems_enabled.set(2);
    settings.num_sensors.set(30);
    settings.first_fert_sensor.set(15);
    settings.monitoring_config.set(1);
    show("blocked_head_settings_mask");
    EXPECT_EQ(list_value(own.sensor_type), 0u);
    EXPECT_EQ(list_value(own.head_systems), 1u);
    EXPECT_EQ(list_value(own.enabled_heads), 2u);
    EXPECT_EQ(list_value(own.monitoring), 1u);
    EXPECT_EQ(number(own.num_sensors), 30u);
    EXPECT_EQ(number(own.first_fert_sensor), 16u);
    EXPECT_FALSE(hidden(own.enabled_heads_row));
    EXPECT_FALSE(hidden(own.first_fert_row));
}

TEST_F(Blocked_head_settings, the_keys_switch_to_their_screens)
{
    const std::pair<uint16_t, const char*> cases[] = {
        {own.main_key, "main"}, {own.settings_key, "settings_menu"}, {own.seeder_key, "seeder_settings_menu"}};
    for (const auto& [key, target] : cases) {
        SCOPED_TRACE(target);
        show("blocked_head_settings_mask");
        press(key);
        EXPECT_EQ(current(), target);
    }
}
