#include "platform/iso/VT_Input_list_obj.h"
#include "tests/ui/Seeder_screens_fixture.h"

namespace {

using Advanced_settings = Seeder_screens;

struct Boom_layout {
    int booms;
    std::vector<int> sections; // of booms 1 to 6
    double width;              // of section 1 of boom 1
};

Boom_layout layout_of(NV_quvel::parameters_t& p)
{
    Boom_layout l{p.app.booms.num_booms.get(), {}, p.app.booms.booms[0]->sections[0]->width.get()};
    for (int b = 0; b < 6; ++b)
        l.sections.push_back(p.app.booms.booms[b]->num_sections.get());
    return l;
}

}

TEST_F(Advanced_settings, enable_tc_sets_up_one_boom_as_wide_as_the_machine_or_none_and_asks_for_a_tc_reset)
{
    rig.parameters.app.machine_width.set(12.5f);
    for (int b = 0; b < 6; ++b)
        rig.parameters.app.booms.booms[b]->num_sections.set(3);
    rig.parameters.app.booms.num_booms.set(6);
    show("advanced_settings_mask");
    rig.probe.follow(&rig.store.body.system, sizeof rig.store.body.system);

    const struct {
        uint8_t item;
        bool enabled;
        Boom_layout layout;
    } cases[] = {
        {1, true, {1, {1, 0, 0, 0, 0, 0}, 12.5}},
        {0, false, {0, {0, 0, 0, 0, 0, 0}, 12.5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.item));
        pick(ids.advanced_settings_more.enable_tc, c.item);
        EXPECT_EQ(rig.parameters.system.tc_enabled.get(), c.enabled);
        const Boom_layout l = layout_of(rig.parameters);
        EXPECT_EQ(l.booms, c.layout.booms);
        EXPECT_EQ(l.sections, c.layout.sections);
        EXPECT_DOUBLE_EQ(l.width, c.layout.width);
        EXPECT_EQ(rig.changes_of(rig.store.body.system.reset_tc).size(), 1u);
        EXPECT_TRUE(rig.store.body.system.reset_tc);
        rig.store.body.system.reset_tc = false;
    }
}

TEST_F(Advanced_settings, the_enable_tc_list_shows_the_parameter_on_every_visit)
{
    for (bool enabled : {true, false}) {
        rig.parameters.system.tc_enabled.set(enabled);
        show("advanced_settings_mask");
        EXPECT_EQ(list_value(ids.advanced_settings_more.enable_tc), enabled ? 1u : 0u);
        show("main");
    }
}

TEST_F(Advanced_settings, switch_vt_asks_the_vt_client_once_and_prints_both_lines)
{
    show("advanced_settings_mask");
    testing::internal::CaptureStdout();
    press(ids.advanced_settings.switch_vt_button);
    const std::string out = testing::internal::GetCapturedStdout();
    // No VT on the bus: the null address, and the client refuses the move.
    EXPECT_EQ(out, "next available VT is 254\r\nswitch_next_vt() returned -1\r\n");
    EXPECT_EQ(current(), "advanced_settings_mask");
}

TEST_F(Advanced_settings, the_buttons_lead_to_the_factory_screens_and_back)
{
    show("advanced_settings_mask");
    press(ids.advanced_settings.factory_reset_button);
    EXPECT_EQ(current(), "factory_reset_mask");
    press(ids.confirm_factory_reset.cancel_key);
    EXPECT_EQ(current(), "advanced_settings_mask");
    press(ids.advanced_settings.factory_upgrade_button);
    EXPECT_EQ(current(), "factory_upgrade_mask");
    show("advanced_settings_mask");
    press(ids.advanced_settings_more.settings_key);
    EXPECT_EQ(current(), "settings_menu");
}

TEST_F(Advanced_settings, confirm_asks_for_shutdown_code_3_with_one_event_and_cancel_writes_nothing)
{
    show("factory_reset_mask");
    rig.probe.follow(&rig.store.body, sizeof rig.store.body);
    press(ids.confirm_factory_reset.cancel_key);
    EXPECT_TRUE(rig.probe.take_changes().empty());
    EXPECT_EQ(rig.store.body.system.initiate_shutdown, 0);

    show("factory_reset_mask");
    press(ids.confirm_factory_reset.confirm_key);
    EXPECT_EQ(rig.changes_of(rig.store.body.system.initiate_shutdown).size(), 1u);
    EXPECT_EQ(rig.store.body.system.initiate_shutdown, 3);
    EXPECT_EQ(current(), "factory_reset_mask");
}
