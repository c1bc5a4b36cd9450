// An operator at the fake VT setting up two tanks and a product on the
// second, kx4 and the others run as processes; the settings outlive a restart.
#include "tests/app/App_fixture.h"
#include "tests/app/Kx4_driving.h"
#include "tests/app/Kx4_vt_session.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

constexpr int wait_ms = Kx4_vt_session::wait_ms;

// What the settings of this test read from the console, before and after the
// restart. The channel takes 19 characters of the product's space-padded name.
void expect_settings(Spawned_process& kx4, const std::string& report)
{
    EXPECT_TRUE(wait_for_answer(kx4, "get params.app.num_channels", "num_channels = 2", wait_ms)) << report;
    EXPECT_TRUE(wait_for_answer(kx4, "get params.app.channels.1.name", "name = Spring wheat       ", wait_ms))
        << report;
    EXPECT_TRUE(wait_for_answer(kx4, "get params.app.products.0.tank", "tank = 1", wait_ms)) << report;
}

TEST(Kx4_vt_products, two_tanks_and_a_named_product_on_the_second_reach_the_parameters_and_outlive_a_restart)
{
    Kx4_vt_session session({});
    ASSERT_TRUE(session.start()) << session.report();
    const Seeder_pool_ids& ids = session.ids();

    ASSERT_TRUE(session.open_seeder_setting(0, ids.tank_settings.mask)) << session.report();
    // Item 1 of the tank count: "  2  ".
    ASSERT_TRUE(session.enter_number(ids.tank_settings.tank_count, 1)) << session.report();
    EXPECT_TRUE(session.answer("get params.app.num_channels", "num_channels = 2")) << session.report();
    EXPECT_TRUE(wait_for_count(session.kx4(), "TC Reload required!!\n", 1, wait_ms)) << session.report();

    ASSERT_TRUE(session.press_to(ids.tank_settings.settings_key, ids.settings_menu.mask)) << session.report();
    ASSERT_TRUE(session.press_to(ids.settings_menu.products_button, ids.product_settings_menu.mask))
        << session.report();
    ASSERT_TRUE(session.press_to(ids.product_settings_menu.product_buttons[0], ids.product_settings.mask))
        << session.report();
    ASSERT_TRUE(session.enter_string(ids.product_settings.name, "Spring wheat")) << session.report();
    // Item 1 of the tank list: tank 2.
    ASSERT_TRUE(session.enter_number(ids.product_settings.tank_list, 1)) << session.report();
    EXPECT_TRUE(session.answer("get data_store.channels.channels.1.product_assigned", "product_assigned = 1;"))
        << session.report();
    expect_settings(session.kx4(), session.report());

    // Ended in order (the parameters saved), then again on the same root.
    ASSERT_TRUE(session.console("shutdown"));
    ASSERT_EQ(session.kx4().wait_for_exit(wait_ms), 1) << session.report();
    Spawned_process again({KX4_PROGRAM, "-T", "--bus=" + session.hub().isobus(), "--abus=" + session.hub().abus()},
                          {"KX4_ROOT=" + session.root().path()}, Spawned_process::Input::fed);
    expect_settings(again, again.output());
    ASSERT_TRUE(again.write_input("shutdown\n"));
    EXPECT_EQ(again.wait_for_exit(wait_ms), 1) << again.output();
    EXPECT_EQ(session.vt().stop(SIGTERM, wait_ms), 0) << session.report();
    EXPECT_EQ(session.hub().process().stop(SIGTERM, wait_ms), 0) << session.report();
}

}
