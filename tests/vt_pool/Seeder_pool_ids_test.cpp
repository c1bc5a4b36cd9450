// The table of the code-built pool's object IDs before any build: every
// entry empty, the tank records in place with their initial values.
#include "vt_pool/Seeder_pool_ids.h"
#include "vt_pool/VtObjectDataMask.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

TEST(Seeder_pool_ids, every_entry_is_empty_and_every_tank_record_in_place_before_a_build)
{
    const auto ids = std::make_unique<Seeder_pool_ids>();
    // The screens' 16-bit view of the first 1,015 entries: entry i is 16-bit element 2 i.
    uint16_t view[2 * 1015];
    std::memcpy(view, ids.get(), sizeof view);
    for (size_t i = 0; i < 1015; ++i)
        ASSERT_EQ(view[2 * i], 0xFFFF) << "entry " << i;
    for (const Seeder_pool_entry& entry : ids->entries())
        ASSERT_EQ(entry.oid, 0xFFFF);
    for (uint32_t number = 1; number <= Seeder_pool_ids::tank_count; ++number) {
        SCOPED_TRACE(number);
        EXPECT_EQ(ids->tank_record_refs[number - 1], number - 1);
        const Seeder_tank_record& record = ids->tank(number);
        EXPECT_EQ(&record, &ids->tank_records[number - 1]);
        EXPECT_EQ(record.initial_values, (std::array<uint32_t, 5>{110, 300, 500, 10, 10}));
        EXPECT_FALSE(record.flag);
        EXPECT_FALSE(record.heading.recorded());
        EXPECT_FALSE(record.auto_button.recorded());
    }
    EXPECT_EQ(ids->tank_record_count, 4u);
    EXPECT_EQ(ids->end, 0u);
    EXPECT_THROW(ids->tank(5), std::out_of_range);
}

TEST(Seeder_pool_ids, entries_list_the_groups_then_the_tank_records_then_the_further_groups)
{
    const auto ids = std::make_unique<Seeder_pool_ids>();
    const std::vector<Seeder_pool_entry> entries = ids->entries();
    const size_t further = (sizeof(Seeder_pool_ids) - offsetof(Seeder_pool_ids, tank_fill_more)) / 4;
    ASSERT_EQ(entries.size(), 1015 + 4 * 19 + further);
    const struct {
        size_t index;
        uint8_t type;
    } promised[] = {
        {0, any_vt_type}, {21, 1}, {23, 4}, {24, 4}, {25, 3}, {46, 25}, {50, 5}, {52, 27}, {63, 11}, {68, 14},
        {171, 1}, {175, 12}, {179, 3}, {266, 9}, {320, 10}, {596, 1}, {605, 27}, {803, 1},
        // tank record 0: the heading, then the rate variable and its input
        {1015, 11}, {1016, 21}, {1017, 9}, {1015 + 18, 6},
        // tank record 3's "AUTO" button
        {1015 + 3 * 19 + 18, 6},
    };
    for (const auto& p : promised)
        EXPECT_EQ(entries[p.index].type, p.type) << "entry " << p.index;
}

TEST(Seeder_pool_ids, a_field_keeps_the_id_of_what_it_records_and_a_null_object_changes_nothing)
{
    Mask_id field;
    field.record(nullptr);
    EXPECT_FALSE(field.recorded());
    const VtObjectDataMask mask(10025);
    field.record(&mask);
    EXPECT_TRUE(field.recorded());
    EXPECT_EQ(uint16_t(field), 10025);
    field.record(nullptr);
    EXPECT_EQ(field.oid, 10025);
}

}
