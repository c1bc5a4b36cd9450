#include "platform/can/Known_names.h"
#include "platform/io/Binary_message.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using ZEV_name::Field;
using ZEV_name::NAME;
using ZEV_name::RAWNAME;

namespace {

struct Known {
    const char* what;
    std::function<NAME(int)> get;
};

const std::vector<Known> known_names = {
    {"seeder", Known_names::get_seeder},
    {"tessaryn master", Known_names::get_tessaryn_master},
    {"tessaryn slave", Known_names::get_tessaryn_slave},
    {"tessaryn nextgen slave", Known_names::get_tessaryn_nextgen_slave},
    {"tessaryn io", [](int) { return Known_names::get_tessaryn_io(); }},
    {"kelpro cannode", Known_names::get_kelpro_cannode},
    {"vantoor commlinkz", Known_names::get_vantoor_commlinkz},
};

TEST(Known_names, a_name_with_an_identity_is_the_any_identity_name_with_the_id_in_bits_0_to_20)
{
    for (const Known& k : known_names) {
        if (std::string(k.what) == "tessaryn io")
            continue;
        for (int id : {0, 5, 0x1FFFFF}) {
            RAWNAME expected = k.get(-1);
            Binary_message::set_bits_lsb(expected.get_bytes(), 0, 21, uint64_t(id));
            EXPECT_EQ(RAWNAME(k.get(id)), expected) << k.what << " id " << id;
            EXPECT_EQ(k.get(id).get(Field::identity_number), uint32_t(id)) << k.what;
        }
    }
}

TEST(Known_names, the_any_identity_name_matches_every_identity_and_an_identity_name_only_its_own)
{
    for (const Known& k : known_names) {
        NAME any = k.get(-1);
        NAME five = k.get(5);
        for (int id : {0, 5, 77, 0x1FFFFF})
            EXPECT_TRUE(any.match(k.get(id))) << k.what << " id " << id;
        if (std::string(k.what) != "tessaryn io") {
            EXPECT_TRUE(five.match(k.get(5))) << k.what;
            EXPECT_FALSE(five.match(k.get(6))) << k.what;
        }
    }
}

TEST(Known_names, the_names_differ_beyond_the_identity_so_no_pattern_matches_another_kind)
{
    std::set<uint64_t> values;
    for (const Known& k : known_names) {
        values.insert(k.get(-1).get_value());
        for (const Known& other : known_names) {
            if (&other == &k)
                continue;
            EXPECT_FALSE(k.get(-1).match(other.get(3))) << k.what << " matches " << other.what;
        }
    }
    EXPECT_EQ(values.size(), known_names.size());
}

TEST(Known_names, the_program_and_its_master_may_move_and_the_slaves_may_not)
{
    EXPECT_EQ(Known_names::get_seeder(1).get(Field::self_configurable), 1u);
    EXPECT_EQ(Known_names::get_tessaryn_master(1).get(Field::self_configurable), 1u);
    EXPECT_EQ(Known_names::get_tessaryn_slave(1).get(Field::self_configurable), 0u);
    EXPECT_EQ(Known_names::get_seeder(1).get(Field::industry_group), 2u);
}

TEST(ZEV_name, a_default_name_matches_everything_and_a_name_from_raw_bytes_only_itself)
{
    RAWNAME a(0x1234), b(0x1235);
    EXPECT_TRUE(NAME().match(a));
    EXPECT_TRUE(NAME().match(RAWNAME::GLOBAL_NAME));
    EXPECT_TRUE(NAME(a).match(a));
    EXPECT_FALSE(NAME(a).match(b));
    EXPECT_EQ(RAWNAME().get_value(), 0u);
    EXPECT_EQ(RAWNAME::GLOBAL_NAME.get_value(), ~uint64_t(0));
}

TEST(ZEV_name, fields_set_on_a_name_sit_where_the_standard_puts_them_and_count_in_matches)
{
    NAME tc_server;
    tc_server.set(Field::industry_group, 2);
    tc_server.set(Field::function, 130);
    EXPECT_EQ(tc_server.get_value(), (uint64_t(2) << 60) | (uint64_t(130) << 40));

    NAME some_tc(RAWNAME((uint64_t(1) << 63) | (uint64_t(2) << 60) | (uint64_t(130) << 40) | (uint64_t(99) << 21) | 7));
    NAME some_vt(RAWNAME((uint64_t(2) << 60) | (uint64_t(129) << 40)));
    EXPECT_TRUE(tc_server.match(some_tc));
    EXPECT_FALSE(tc_server.match(some_vt));
}

TEST(ZEV_name, raw_names_are_eight_little_endian_bytes_ordered_by_value)
{
    static_assert(sizeof(RAWNAME) == 8, "records hold a NAME as its eight bytes");
    RAWNAME n(0x0102030405060708ull);
    EXPECT_EQ(n.get_bytes()[0], 0x08);
    EXPECT_EQ(n.get_bytes()[7], 0x01);
    EXPECT_EQ(RAWNAME(n.get_bytes()), n);
    EXPECT_LT(RAWNAME(1), RAWNAME(2));
    NAME* heap = new NAME(n); // the deleting destructor through the NAME type
    delete heap;
}

TEST(ZEV_name, dump_prints_the_value_and_its_fields)
{
    Debug_capture capture;
    Known_names::get_seeder(5).dump();
    std::string text = capture.text();
    EXPECT_NE(text.find("identity 5,"), std::string::npos) << text;
    EXPECT_NE(text.find("industry group 2,"), std::string::npos) << text;
    EXPECT_NE(text.find("self-configurable 1"), std::string::npos) << text;
}

}
