#include "tests/isobus/Tc_client_bench.h"

#include <gtest/gtest.h>

namespace {

// A second Task Controller (0xF6) beside the bench's.
class Tc_server_choice_test : public Tc_client_bench {
protected:
    Tc_server_choice_test()
    {
        Fake_tc_server::Settings settings;
        settings.address = 0xF6;
        settings.identity = 2;
        other_tc = std::make_unique<Fake_tc_server>(&manager, other_node.stack, settings);
        EXPECT_TRUE(other_tc->start_serving());
    }
    ZEV_name::RAWNAME other_name() const { return other_tc->get_name(); }

    Zev_bench::Node& other_node = bench.add_node();
};

TEST_F(Tc_server_choice_test, the_preferred_task_controller_is_taken_when_it_is_there)
{
    start({}, 60, other_name());
    run_for(500);
    EXPECT_EQ(controller->get_server_rawname(), other_name());
    EXPECT_TRUE(controller->is_pool_active());
}

TEST_F(Tc_server_choice_test, without_the_preferred_one_any_other_is_taken_after_the_time_out)
{
    ZEV_name::NAME absent = Known_names::get_seeder(99);
    absent.set(ZEV_name::Field::function, TC_client::Controller::task_controller_function);
    start({}, 5, absent);
    run_for(4000);
    EXPECT_EQ(controller->get_server_rawname(), ZEV_name::RAWNAME::GLOBAL_NAME);
    EXPECT_FALSE(controller->is_pool_active());
    run_for(1500);
    const ZEV_name::RAWNAME taken = controller->get_server_rawname();
    EXPECT_TRUE(taken == tc->get_name() || taken == other_name());
    run_for(500);
    EXPECT_TRUE(controller->is_pool_active());
}

TEST_F(Tc_server_choice_test, a_task_controller_the_filter_refuses_is_never_taken)
{
    create({}, 1, ZEV_name::RAWNAME::GLOBAL_NAME);
    ZEV_name::NAME filter;
    filter.set(ZEV_name::Field::manufacturer_code, 1234);
    controller->set_server_filter(filter);
    run_for(5000);
    EXPECT_EQ(controller->get_server_rawname(), ZEV_name::RAWNAME::GLOBAL_NAME);
    EXPECT_FALSE(tc->saw("working-set master"));

    filter.set(ZEV_name::Field::manufacturer_code, 2000); // the fakes' maker
    controller->set_server_filter(filter);
    run_for(1000);
    EXPECT_TRUE(controller->is_pool_active());
}

}
