#include "platform/iso/TC_client_Task_total_pd_reference.h"
#include "tests/isobus/Recording_receiver.h"

#include <gtest/gtest.h>

#include <limits>

using namespace TC_client;

namespace {

class Task_total_test : public testing::Test {
protected:
    void SetUp() override
    {
        lifetime.value = 1000;
        total.set_lifetime_total_pd_adaptor(&lifetime);
    }

    int32_t reported()
    {
        int32_t raw = -1;
        EXPECT_TRUE(total.take_report(raw));
        return raw;
    }

    Value_adaptor lifetime;
    Task_total_pd_reference total;
    waiter_descriptor waiter;
};

TEST_F(Task_total_test, counts_from_the_activation)
{
    total.get_data_adaptor()->start(&waiter);
    EXPECT_EQ(lifetime.waiter, &waiter);
    EXPECT_EQ(total.get_data_adaptor()->handle_get(), 0);

    lifetime.change(1030);
    EXPECT_EQ(reported(), 30);
    EXPECT_EQ(total.get_data_adaptor()->handle_get(), 30);

    total.get_data_adaptor()->stop();
    EXPECT_EQ(lifetime.stops, 1);
}

TEST_F(Task_total_test, a_total_set_to_zero_starts_again)
{
    total.get_data_adaptor()->start(&waiter);
    lifetime.change(1500);
    total.get_data_adaptor()->handle_set(0);
    EXPECT_EQ(reported(), 0);
    lifetime.change(1520);
    EXPECT_EQ(reported(), 20);
    total.get_data_adaptor()->handle_set(100);
    EXPECT_EQ(total.get_data_adaptor()->handle_get(), 100);
}

TEST_F(Task_total_test, a_total_beyond_the_int32_range_saturates)
{
    lifetime.value = std::numeric_limits<int32_t>::min();
    total.get_data_adaptor()->start(&waiter);
    lifetime.change(std::numeric_limits<int32_t>::max());
    EXPECT_EQ(reported(), std::numeric_limits<int32_t>::max());
}

}
