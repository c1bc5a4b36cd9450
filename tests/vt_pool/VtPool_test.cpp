// The container of the code-built pool: IDs, add and replace, the working
// set and current mask, and encoding in ID order into a bounded writer.
#include "Vt_bytes.h"
#include "vt_pool/VtBuilder.h"
#include "vt_pool/VtObjectWorkingSet.h"
#include "vt_pool/VtPlacement.h"
#include "vt_pool/VtPool.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

Bytes encode(const VtPool& pool, uint32_t capacity = 99000, int* result = nullptr)
{
    VtWriter writer(capacity, nullptr);
    const int status = pool.serialise(writer);
    if (result)
        *result = status;
    return Bytes(writer.getData(), writer.getData() + writer.getLength());
}

// A container that says when it is destroyed.
class Watched_container : public VtObjectContainer {
public:
    Watched_container(uint16_t oid, bool& destroyed) : VtObjectContainer(oid), destroyed(destroyed) {}
    ~Watched_container() override { destroyed = true; }

private:
    bool& destroyed;
};

TEST(VtPool, a_fresh_pool_encodes_only_its_working_set_10000)
{
    VtPool pool;
    int result = -1;
    EXPECT_EQ(hex(encode(pool, 99000, &result)), "10 27 00 00 00 FF FF 00 00 00");
    EXPECT_EQ(result, 0);
    ASSERT_NE(pool.getWorkingSet(), nullptr);
    EXPECT_EQ(pool.getWorkingSet()->getOid(), 10000);
    EXPECT_EQ(pool.get(10000), pool.getWorkingSet());
    EXPECT_EQ(pool.getCurrentMask(), nullptr);
}

TEST(VtPool, hands_out_ids_densely_and_encodes_in_id_order)
{
    VtPool pool;
    VtObjectNumberVariable* first = createNumberVariable(pool, 0x01020304);
    VtObjectContainer* container = createContainer(pool, 1, 1);
    EXPECT_EQ(first->getOid(), 10001);
    EXPECT_EQ(container->getOid(), 10002);
    // Replacing a lower ID after a higher one does not change the order.
    pool.add(std::make_unique<VtObjectNumberVariable>(10000 - 1));
    EXPECT_EQ(hex(encode(pool)), "0F 27 15 00 00 00 00 "
                                 "10 27 00 00 00 FF FF 00 00 00 "
                                 "11 27 15 04 03 02 01 "
                                 "12 27 03 01 00 01 00 00 00 00");
}

// Data masks (M) and soft-key masks (S) made in this order: the first data
// mask is the active one, and each data mask names the first soft-key mask
// made while it is current.
TEST(VtPool, the_first_data_mask_and_the_first_soft_key_mask_after_a_mask_are_never_rebound)
{
    struct Case {
        const char* order;
        std::vector<int> soft_key_mask_of; // per data mask: index of its soft-key mask, -1 none
    };
    const Case cases[] = {
        {"M", {-1}},
        {"MM", {-1, -1}},
        {"MS", {0}},
        {"MSS", {0}},
        {"SM", {-1}},
        {"MSMS", {0, 1}},
        {"MMS", {-1, 0}},
        {"MSSMSS", {0, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order);
        VtPool pool;
        std::vector<VtObjectDataMask*> masks;
        std::vector<VtObjectSoftKeyMask*> keys;
        for (const char* op = c.order; *op; ++op) {
            if (*op == 'M')
                masks.push_back(createDataMask(pool));
            else
                keys.push_back(createSoftKeyMask(pool, 1));
        }
        EXPECT_EQ(pool.getWorkingSet()->getActiveMask(), masks.front()->getOid());
        EXPECT_EQ(pool.getCurrentMask(), masks.back());
        for (size_t m = 0; m < masks.size(); ++m) {
            const int k = c.soft_key_mask_of[m];
            EXPECT_EQ(masks[m]->getSoftKeyMask(), k < 0 ? VtObject::no_object : keys[size_t(k)]->getOid()) << m;
        }
    }
}

TEST(VtPool, replacing_an_object_destroys_it_and_its_id_names_the_new_one)
{
    VtPool pool;
    bool destroyed = false;
    const uint16_t oid = pool.nextOid();
    ASSERT_TRUE(pool.add(std::make_unique<Watched_container>(oid, destroyed)));
    VtObjectDataMask* mask = createDataMask(pool);
    addToDataMask(mask, 3, 4, pool.get(oid));

    auto rectangle = std::make_unique<VtObjectRectangle>(oid);
    VtObjectRectangle* replacement = rectangle.get();
    EXPECT_TRUE(pool.add(std::move(rectangle)));
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(pool.get(oid), replacement);
    // The mask still names the ID, which now reaches the rectangle.
    ASSERT_EQ(mask->getChilds().count(), 1u);
    EXPECT_EQ(mask->getChilds().at(0)->oid, oid);
    EXPECT_EQ(pool.get(mask->getChilds().at(0)->oid)->getType(), 14u);
}

TEST(VtPool, replacing_the_working_set_leaves_a_working_set_only_of_type_0)
{
    struct Case {
        const char* name;
        uint32_t type;
        bool working_set_after;
    };
    const Case cases[] = {
        {"a Working Set", 0, true},
        {"a Data Mask", 1, false},
        {"a Container", 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VtPool pool;
        std::unique_ptr<VtObject> object;
        if (c.type == 0)
            object = std::make_unique<VtObjectWorkingSet>(10000);
        else if (c.type == 1)
            object = std::make_unique<VtObjectDataMask>(10000);
        else
            object = std::make_unique<VtObjectContainer>(10000);
        VtObject* replacement = object.get();
        pool.add(std::move(object));
        EXPECT_EQ(pool.getWorkingSet(), c.working_set_after ? replacement : nullptr);
        // Placing in the working set goes into the new one or nowhere.
        addToWorkingSet(pool, 5, 5, createNumberVariable(pool, 1));
        if (c.working_set_after) {
            EXPECT_EQ(pool.getWorkingSet()->getChilds().count(), 1u);
        }
    }
}

TEST(VtPool, replacing_the_current_mask_leaves_none_for_soft_key_masks_to_join)
{
    VtPool pool;
    VtObjectDataMask* mask = createDataMask(pool);
    pool.add(std::make_unique<VtObjectContainer>(mask->getOid()));
    EXPECT_EQ(pool.getCurrentMask(), nullptr);
    createSoftKeyMask(pool, 1);
}

TEST(VtPool, never_keeps_an_object_numbered_65535)
{
    VtPool pool;
    VtObjectWorkingSet* working_set = pool.getWorkingSet();
    EXPECT_FALSE(pool.add(std::make_unique<VtObjectWorkingSet>(VtObject::no_object)));
    EXPECT_EQ(pool.get(VtObject::no_object), nullptr);
    EXPECT_EQ(pool.getWorkingSet(), working_set);
    EXPECT_EQ(hex(encode(pool)), "10 27 00 00 00 FF FF 00 00 00");
}

TEST(VtPool, handing_out_id_65535_is_a_bug)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_DEATH(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            VtPool pool;
            for (uint32_t oid = pool.nextOid(); oid < VtObject::no_object; oid = pool.nextOid()) {
            }
        },
        "BUG: VtPool: out of object IDs");
    VtPool pool;
    uint32_t last = 0;
    for (int i = 0; i < 65534 - 10000; ++i)
        last = pool.nextOid();
    EXPECT_EQ(last, 65534u);
}

TEST(VtPool, serialise_stops_at_the_first_write_that_fails_and_says_so)
{
    // Two records: the Working Set (10 bytes), then a Number Variable (7).
    const struct {
        uint32_t capacity;
        int result;
        uint32_t at_most;
    } cases[] = {
        {0, 1, 0}, {1, 1, 0}, {2, 1, 2}, {9, 1, 9}, {10, 1, 10}, {16, 1, 16}, {17, 0, 17}, {1000, 0, 17},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.capacity);
        VtPool pool;
        createNumberVariable(pool, 5);
        int result = -1;
        const Bytes bytes = encode(pool, c.capacity, &result);
        EXPECT_EQ(result, c.result);
        EXPECT_LE(bytes.size(), c.at_most);
    }
}

TEST(VtPool, clear_destroys_every_object_and_the_working_set)
{
    VtPool pool;
    bool destroyed = false;
    pool.add(std::make_unique<Watched_container>(pool.nextOid(), destroyed));
    createDataMask(pool);
    pool.clear();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(pool.getWorkingSet(), nullptr);
    EXPECT_EQ(pool.getCurrentMask(), nullptr);
    EXPECT_EQ(pool.get(10000), nullptr);
    EXPECT_EQ(encode(pool).size(), 0u);
}

}
