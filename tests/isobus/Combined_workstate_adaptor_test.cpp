#include "isobus/Combined_workstate_adaptor.h"
#include "tests/isobus/Recording_receiver.h"
#include "tests/support/Child_process.h"

#include <gtest/gtest.h>

using namespace TC_client;

namespace {

class Combined_workstate_adaptor_test : public testing::Test {
protected:
    void SetUp() override { combined.set_receiver(&receiver); }

    Value_adaptor setpoint;
    Value_adaptor actual;
    Combined_workstate_adaptor combined{&setpoint, &actual};
    Recording_receiver receiver;
    waiter_descriptor waiter;
};

TEST_F(Combined_workstate_adaptor_test, sets_go_to_the_setpoint_and_gets_come_from_the_actual_state)
{
    actual.value = 0;
    combined.handle_set(1);
    EXPECT_EQ(setpoint.value, 1);
    EXPECT_EQ(actual.sets, 0);
    EXPECT_EQ(combined.handle_get(), 0);
    actual.value = 1;
    EXPECT_EQ(combined.handle_get(), 1);
}

TEST_F(Combined_workstate_adaptor_test, start_and_stop_reach_both)
{
    combined.start(&waiter);
    EXPECT_EQ(setpoint.waiter, &waiter);
    EXPECT_EQ(actual.waiter, &waiter);
    combined.stop();
    EXPECT_EQ(setpoint.stops, 1);
    EXPECT_EQ(actual.stops, 1);
}

TEST_F(Combined_workstate_adaptor_test, only_the_actual_state_changes_are_passed_on_as_its_own)
{
    setpoint.change(1);
    actual.change(1);
    setpoint.change(0);
    ASSERT_EQ(receiver.reports.size(), 1u);
    EXPECT_EQ(receiver.reports[0].first, static_cast<Process_data_adaptor_raw*>(&combined));
    EXPECT_EQ(receiver.reports[0].second, 1);
}

TEST_F(Combined_workstate_adaptor_test, the_members_questions_go_to_its_receiver)
{
    EXPECT_EQ(combined.get_ddi(), 7);
    EXPECT_EQ(combined.get_id(), 1234);
    combined.lock();
    EXPECT_EQ(receiver.locks, 1);
    combined.unlock();
    EXPECT_EQ(receiver.locks, 0);
}

TEST(Combined_workstate_adaptor_death_test, a_missing_member_stops_the_program)
{
    Value_adaptor actual;
    Combined_workstate_adaptor no_setpoint(nullptr, &actual);
    EXPECT_EQ(run_in_child([&] { no_setpoint.handle_set(1); }).output, "BUG: NULL != setpoint_adaptor\r\n");
    EXPECT_EQ(run_in_child([&] { no_setpoint.start(nullptr); }).output, "BUG: NULL != setpoint_adaptor\r\n");
    Combined_workstate_adaptor no_actual(&actual, nullptr);
    EXPECT_EQ(run_in_child([&] { no_actual.handle_get(); }).output, "BUG: NULL != actual_adaptor\r\n");
    EXPECT_EQ(run_in_child([&] { no_actual.stop(); }).output, "BUG: NULL != actual_adaptor\r\n");
}

}
