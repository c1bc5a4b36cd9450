// The process objects built before main: the table of the code-built VT
// pool's object IDs is there, empty, before start-up builds the pool.
#include "app/seeder_globals.h"

#include <gtest/gtest.h>

namespace {

TEST(Seeder_globals, the_pool_id_table_is_one_object_with_every_id_empty_before_the_pool_is_built)
{
    Seeder_pool_ids& ids = get_seeder_pool_ids();
    EXPECT_EQ(&ids, &get_seeder_pool_ids());
    for (const Seeder_pool_entry& entry : ids.entries())
        ASSERT_EQ(entry.oid, 0xFFFF);
    EXPECT_EQ(&ids.tank(1), &ids.tank_records[0]);
    EXPECT_EQ(ids.tank_record_count, 4u);
}

}
