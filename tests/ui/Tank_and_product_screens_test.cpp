#include "platform/iso/VT_Command.h"
#include "tests/ui/Seeder_ui_rig.h"
#include "ui/screens/Operator_name.h"

#include <gtest/gtest.h>

// The tank and product screens of the UI root on the code-built pool: what
// the pool builder records for them is what they bind, so an operator's
// entries reach the parameters and the store as on a real terminal.
namespace {

struct Rig : Seeder_ui_rig {
    void enter(uint16_t object, uint32_t value)
    {
        VT::Pool_listener::Activation a;
        a.function = VT::Command::vt_change_numeric_value;
        a.object = object;
        a.value = value;
        ui.handle_activation(a);
        pump();
    }
    void enter_text(uint16_t object, const std::string& text)
    {
        VT::Pool_listener::Activation a;
        a.function = VT::Command::vt_change_string_value;
        a.object = object;
        a.text = text;
        ui.handle_activation(a);
        pump();
    }
    void show(const char* key)
    {
        man().switch_to_screen(key);
        pump();
    }
};

}

TEST(Tank_and_product_screens, two_tanks_then_a_named_product_on_tank_2_as_the_operator_enters_them)
{
    Rig rig;
    ASSERT_TRUE(rig.load_code_built_screens());
    rig.start();
    rig.ui.handle_pool_uploaded(1);
    rig.pump();

    rig.show("tank_settings_mask");
    rig.enter(rig.ids.tank_settings.tank_count, 1);
    EXPECT_EQ(rig.parameters.app.num_channels.get(), 2);
    EXPECT_TRUE(rig.parameters.app.channels[1]->enabled.get());
    EXPECT_TRUE(rig.store.head.get(rig.store.body.system.reset_tc));

    rig.show("product_settings_mask");
    rig.enter_text(rig.ids.product_settings.name, "Oats");
    rig.enter(rig.ids.product_settings.tank_list, 1);
    EXPECT_EQ(rig.parameters.app.products[0]->tank.get(), 1);
    EXPECT_EQ(Operator_name::shown(rig.parameters.app.channels[1]->name), "Oats");
    EXPECT_TRUE(rig.store.head.get(rig.store.body.channels.channels[1].product_assigned));
    EXPECT_EQ(rig.store.head.get(rig.store.body.channels.channels[1].product_number), 0);

    rig.show("external_options_mask");
    rig.parameters.app.calibration_drive_channel.set(1);
    rig.enter(rig.ids.external_options.cal_drive, 0);
    EXPECT_EQ(rig.parameters.app.calibration_drive_channel.get(), -1);

    rig.show("tank_fill_mask");
    rig.parameters.app.channels[1]->capacity.set(500.0f);
    rig.parameters.app.products[0]->density.set(1.0f); // the tank holds 500 kg of it
    rig.pump();
    rig.enter(rig.ids.tank_fill_more.fill_levels[1], 1234); // 123.4 kg
    EXPECT_DOUBLE_EQ(rig.store.head.get(rig.store.body.channels.channels[1].remaining_volume), 123.4);
}
