#include "platform/iso/VT_Input_number_obj.h"
#include "tests/ui/Seeder_screens_fixture.h"

// The operator's choice of units on the VT reaches the real screens through
// the interface alone: the shown screen's numbers and units strings follow.
TEST_F(Seeder_screens, the_tank_fill_screen_follows_the_vts_units_both_ways)
{
    rig.store.head.set(rig.store.body.channels.channels[0].remaining_volume, 45.359237); // 45.4 kg, 100.0 lb
    show("tank_fill_mask");
    const uint16_t level = ids.tank_fill_more.fill_levels[0];
    const uint16_t units = ids.tank_fill_more.fill_level_units[0];
    const auto value = [&] { return state<VT::Input_number_obj>(level, [](auto& o) { return o.get_value(); }); };
    ASSERT_EQ(value(), 454u);
    ASSERT_EQ(text(units), "kg");

    rig.ui.handle_units_system(VT::Pool_listener::Units_system::imperial);
    rig.pump();
    EXPECT_EQ(value(), 1000u);
    EXPECT_EQ(text(units), "lb");

    rig.ui.handle_units_system(VT::Pool_listener::Units_system::metric);
    rig.pump();
    EXPECT_EQ(value(), 454u);
    EXPECT_EQ(text(units), "kg");
}
