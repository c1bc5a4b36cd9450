#include "tests/vt_pool/Test_fixed_objects.h"

#include "platform/iso/VT_Object_deserial.h"
#include "vt_pool/seeder_ecu_pool/seeder_ecu_pool.h"

#include "tests/support/Child_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <vector>

namespace {

using namespace VT;

// The first length bytes of the object's record in the pool's image (the
// first place that starts with its ID and type).
std::vector<uint8_t> record_in(const std::vector<uint8_t>& image, uint16_t id, uint8_t type, size_t length)
{
    for (size_t at = 0; at + length <= image.size(); ++at) {
        if (image[at] == uint8_t(id) && image[at + 1] == uint8_t(id >> 8) && image[at + 2] == type)
            return std::vector<uint8_t>(image.begin() + long(at), image.begin() + long(at + length));
    }
    return {};
}

TEST(Seeder_pool_frame, members_land_in_slot_id_minus_256_and_are_found_by_id_and_by_name_as_one_object)
{
    auto pool = std::make_unique<Test_pool>(nullptr, nullptr, 0);
    ASSERT_EQ(pool->get_object_count(), 1296);
    const struct Case {
        uint16_t id;
        const char* name;
    } cases[] = {
        {256, "vtui_line_attributes_256"}, // slot 0, the first common object; its name also belongs to 1232
        {1228, "vtui_colour_1228"},        // slot 972, the last common object
        {1229, "test_picture"},            // slot 973
        {1230, "test_working_set"},
        {1231, "test_container"},
        {1551, "test_last"}, // slot 1295
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        VT_obj* in_slot = pool->get_table()[c.id - 256];
        ASSERT_NE(in_slot, nullptr);
        EXPECT_EQ(in_slot->get_id(), c.id);
        EXPECT_STREQ(in_slot->get_name(), c.name);
        EXPECT_EQ(pool->__find_object(c.id), in_slot);
        if (c.id != 256) {
            EXPECT_EQ(pool->__find_object(c.name, true), in_slot);
        }
    }
    EXPECT_EQ(pool->get_table()[1233 - 256], nullptr); // no member of that ID
}

TEST(Seeder_pool_frame, a_name_shared_by_a_common_and_a_fixed_object_finds_the_later_slot)
{
    auto pool = std::make_unique<Test_pool>(nullptr, nullptr, 0);
    VT_obj* fixed = pool->get_table()[1232 - 256];
    EXPECT_EQ(pool->__find_object(Test_fixed_objects::clashing_name, true), fixed);
    EXPECT_EQ(pool->__find_object(256), pool->get_table()[0]); // the common one keeps its ID
}

TEST(Seeder_pool_frame, a_supplied_table_is_filled_and_leaves_both_indexes_empty)
{
    for (unsigned short size : {1296, 1300}) {
        SCOPED_TRACE(size);
        std::vector<VT_obj*> table(size, nullptr);
        {
            auto pool = std::make_unique<Test_pool>(nullptr, table.data(), size);
            EXPECT_EQ(pool->get_table(), table.data());
            EXPECT_EQ(pool->get_object_count(), size);
            EXPECT_EQ(table[0]->get_id(), 256);
            EXPECT_EQ(table[973]->get_id(), 1229);
            EXPECT_EQ(table[1295]->get_id(), 1551);
            EXPECT_EQ(pool->__find_object(256), nullptr);
            EXPECT_EQ(pool->__find_object(1229), nullptr);
            EXPECT_EQ(pool->__find_object("test_picture", true), nullptr);
            EXPECT_TRUE(pool->holds(1229));
        }
        EXPECT_NE(table[0], nullptr); // left to its owner
    }
}

TEST(Seeder_pool_frame, a_table_too_short_is_refused_before_any_object_is_made)
{
    const struct Case {
        const char* what;
        void (*make)(VT_obj** table, unsigned short size);
        unsigned short size;
        const char* report; // null: accepted
    } cases[] = {
        {"one slot short of the fixed objects", [](VT_obj** t, unsigned short n) { Test_pool pool(nullptr, t, n); },
         1295, "BUG: VT pool table smaller than the pool's objects\r\n"},
        {"short of the common objects", [](VT_obj** t, unsigned short n) { Test_pool pool(nullptr, t, n); }, 972,
         "BUG: VT pool table smaller than the pool's objects\r\n"},
        {"a common pool of its own", [](VT_obj** t, unsigned short n) { vtui_pool pool(nullptr, t, n); }, 972,
         "BUG: VT pool table too small for the common objects\r\n"},
        {"a common pool without a table", [](VT_obj**, unsigned short) { vtui_pool pool(nullptr, nullptr, 0); }, 0,
         "BUG: VT pool table too small for the common objects\r\n"},
        {"a table just large enough", [](VT_obj** t, unsigned short n) { Test_pool pool(nullptr, t, n); }, 1296,
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<VT_obj*> table(c.size + 1, nullptr);
        Child_result r = run_in_child([&] {
            Debug_base::set_filters("fa"); // the fixed objects say when they are made
            c.make(table.data(), c.size);
        });
        const bool made = r.output.find("fixed objects made") != std::string::npos;
        if (c.report) {
            EXPECT_FALSE(made);
            EXPECT_EQ(r.output.substr(r.output.find("BUG")), c.report);
            EXPECT_EQ(r.signal, SIGABRT);
        } else {
            EXPECT_TRUE(made);
            EXPECT_TRUE(r.exited);
        }
    }
}

TEST(Seeder_pool_frame, lists_and_data_filled_after_the_objects_are_made_go_out_with_them)
{
    auto pool = std::make_unique<Test_pool>(nullptr, nullptr, 0);
    const std::vector<uint8_t> image = pool->serialise();
    // the picture at the centre of the 40 x 40 container, the title where placed
    EXPECT_EQ(record_in(image, 1231, 3, 22),
              (std::vector<uint8_t>{0xCF, 0x04, 3, 40, 0, 40, 0, 0, 2, 0, 0xCD, 0x04, 10, 0, 17, 0, 0xD0, 0x04, 1, 0,
                                    2, 0}));
    // the working set has no size: its child keeps the position given
    EXPECT_EQ(record_in(image, 1230, 0, 16),
              (std::vector<uint8_t>{0xCE, 0x04, 0, 1, 1, 0xFF, 0xFF, 1, 0, 0, 0xCD, 0x04, 10, 0, 10, 0}));
    EXPECT_EQ(record_in(image, 1229, 20, 19),
              (std::vector<uint8_t>{0xCD, 0x04, 20, 20, 0, 40, 0, 10, 0, 2, 4, 0, 2, 0, 0, 0, 0, 0x64, 1}));
}

TEST(Seeder_pool_frame, the_seeder_pool_holds_the_common_objects_in_a_table_of_1296_slots)
{
    std::unique_ptr<seeder_ecu_pool> pool(new seeder_ecu_pool(nullptr, nullptr, 0));
    EXPECT_EQ(pool->get_object_count(), 1296);
    EXPECT_EQ(pool->get_table()[972]->get_id(), 1228);
    EXPECT_EQ(pool->__find_object(1228), pool->get_table()[972]);
}

TEST(Seeder_pool_frame, the_pool_goes_alike_through_either_of_its_interfaces)
{
    // AddressSanitizer and LeakSanitizer watch that the table and every
    // object go exactly once, also the objects loaded from records.
    const std::vector<uint8_t> records = {0x10, 0x27, 21, 1, 0, 0, 0};
    Object_pool* pool = new seeder_ecu_pool(nullptr, nullptr, 0);
    Object_deserial loader;
    loader.init(pool);
    ASSERT_TRUE(loader.run(records.data(), records.size()));
    delete static_cast<Diner*>(pool);
    delete static_cast<Object_pool_base<VT_obj>*>(new Test_pool(nullptr, nullptr, 0));
}

}
