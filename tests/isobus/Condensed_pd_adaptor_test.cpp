#include "isobus/QList_list_facade.h"
#include "platform/iso/TC_client_Condensed_workstate_reference.h"
#include "tests/isobus/Recording_receiver.h"

#include <gtest/gtest.h>

#include <vector>

using namespace TC_client;

namespace {

// A condensed value over n member adaptors.
struct Group {
    explicit Group(int n)
        : members(n)
    {
        for (auto& m : members)
            list.append(&m);
        reference.get_adaptor().set_member_list(&list);
    }

    std::vector<Value_adaptor> members;
    QList_list_facade<Process_data_adaptor_raw> list;
    Condensed_workstate_reference reference;
};

struct Packing_case {
    std::vector<int32_t> states; // one per member
    uint32_t packed;
};

const Packing_case packing_cases[] = {
    {{1}, 0xFFFFFFFDu},
    {{0}, 0xFFFFFFFCu},
    {{1, 0, 2}, 0xFFFFFFE1u},
    {{0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3}, 0xE4E4E4E4u},
    {{1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1}, 0x51111111u},
};

TEST(Condensed_pd_adaptor, packs_two_bits_per_member_with_missing_members_not_installed)
{
    for (const auto& c : packing_cases) {
        Group group(int(c.states.size()));
        for (size_t i = 0; i < c.states.size(); ++i)
            group.members[i].value = c.states[i];
        EXPECT_EQ(uint32_t(group.reference.get_data_adaptor()->handle_get()), c.packed) << c.states.size();
    }
}

TEST(Condensed_pd_adaptor, a_set_gives_each_member_its_two_bits)
{
    for (const auto& c : packing_cases) {
        Group group(int(c.states.size()));
        group.reference.get_data_adaptor()->handle_set(int32_t(c.packed));
        for (size_t i = 0; i < c.states.size(); ++i) {
            EXPECT_EQ(group.members[i].value, c.states[i]) << "member " << i << " of " << c.states.size();
            EXPECT_EQ(group.members[i].sets, 1);
        }
    }
}

TEST(Condensed_pd_adaptor, a_member_change_reports_the_whole_value)
{
    Group group(3);
    group.members[2].value = 1;
    group.members[1].change(1);

    int32_t raw = 0;
    ASSERT_TRUE(group.reference.take_report(raw));
    EXPECT_EQ(uint32_t(raw), 0xFFFFFFD4u);
}

TEST(Condensed_pd_adaptor, start_and_stop_reach_every_member)
{
    Group group(16);
    waiter_descriptor waiter;
    group.reference.get_data_adaptor()->start(&waiter);
    group.reference.get_data_adaptor()->stop();
    for (const auto& m : group.members) {
        EXPECT_EQ(m.starts, 1);
        EXPECT_EQ(m.stops, 1);
    }
}

}
