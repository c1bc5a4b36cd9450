// The child, object and macro lists of the VT object model.
#include "vt_pool/VtObjectContainer.h"
#include "vt_pool/VtObjectObserver.h"
#include "vt_pool/model/VtMacroList.h"
#include "vt_pool/model/VtObjectList.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <gtest/gtest.h>

TEST(VtList, GrowsByTwentyAndKeepsTheOrderOfAppending)
{
    VtObjectRefList list;
    EXPECT_EQ(list.capacity(), 0u);
    for (int i = 0; i < 21; ++i)
        list.append(std::make_unique<VtObjectRef>(uint16_t(100 + i), i, -i));
    EXPECT_EQ(list.capacity(), 40u);
    EXPECT_EQ(list.count(), 21u);
    for (uint32_t i = 0; i < 21; ++i)
        EXPECT_EQ(list.at(i)->oid, 100 + i);
    EXPECT_EQ(list.at(21), nullptr);
    EXPECT_EQ(list.at(39), nullptr);
}

TEST(VtList, FirstAndNextWalkTheEntriesThenGiveNull)
{
    VtObjectList list;
    EXPECT_EQ(list.first(), nullptr);
    list.append(std::make_unique<VtObjectListEntry>(7));
    list.append(std::make_unique<VtObjectListEntry>(8));
    EXPECT_EQ(list.first()->oid, 7);
    EXPECT_EQ(list.next()->oid, 8);
    EXPECT_EQ(list.next(), nullptr);
    EXPECT_EQ(list.first()->oid, 7);
}

TEST(VtList, ClearKeepsTheCapacityAndResetSetsIt)
{
    VtObjectRefList list;
    for (int i = 0; i < 3; ++i)
        list.append(std::make_unique<VtObjectRef>(1, 0, 0));
    list.clear();
    EXPECT_EQ(list.count(), 0u);
    EXPECT_EQ(list.capacity(), 20u);
    EXPECT_EQ(list.at(0), nullptr);
    list.reset(5);
    EXPECT_EQ(list.capacity(), 5u);
    EXPECT_EQ(list.count(), 0u);
}

TEST(VtList, SetPositionsMovesEveryEntryOfTheObject)
{
    struct {
        bool relative;
        int32_t x, y;
    } cases[] = {{true, 15, 7}, {false, 5, -3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.relative ? "relative" : "absolute");
        VtObjectRefList list;
        list.append(std::make_unique<VtObjectRef>(7, 10, 10));
        list.append(std::make_unique<VtObjectRef>(8, 10, 10));
        list.append(std::make_unique<VtObjectRef>(7, 10, 10));
        list.setPositions(7, 5, -3, c.relative);
        for (uint32_t i : {0u, 2u}) {
            EXPECT_EQ(list.at(i)->x, c.x);
            EXPECT_EQ(list.at(i)->y, c.y);
        }
        EXPECT_EQ(list.at(1)->x, 10);
        EXPECT_EQ(list.at(1)->y, 10);
    }
}

TEST(VtList, IndexOfGivesTheFirstPositionOfTheObject)
{
    VtObjectList list;
    for (uint16_t oid : {1, 2, 9, 3, 9})
        list.append(std::make_unique<VtObjectListEntry>(oid));
    EXPECT_EQ(list.indexOf(9), 2);
    EXPECT_EQ(list.indexOf(1), 0);
    EXPECT_EQ(list.indexOf(4), -1);
}

TEST(VtList, AFullMacroListRefusesTheEntry)
{
    VtMacroList list(3);
    for (uint8_t i = 0; i < 3; ++i)
        EXPECT_TRUE(list.append(std::make_unique<VtMacroRef>(i, uint8_t(i + 10))));
    EXPECT_FALSE(list.append(std::make_unique<VtMacroRef>(3, 13)));
    EXPECT_EQ(list.count(), 3u);
    EXPECT_EQ(list.at(2)->macro_id, 12);
    EXPECT_EQ(list.at(3), nullptr);
    list.clear();
    EXPECT_EQ(list.count(), 0u);
    EXPECT_TRUE(list.append(std::make_unique<VtMacroRef>(4, 14)));
}

TEST(VtList, EntriesBuiltOneAfterTheOtherTakeConsecutiveSerials)
{
    VtObjectRef ref(1, 0, 0);
    VtObjectListEntry entry(2);
    VtObjectRef last(3, 0, 0);
    EXPECT_EQ(entry.serial, ref.serial + 1);
    EXPECT_EQ(last.serial, ref.serial + 2);
}

// The referring object holds only the newest observer of an entry.
TEST(VtList, BindingAgainReplacesTheEntrysObserver)
{
    VtObjectContainer referrer(1);
    VtObjectList list;
    list.append(std::make_unique<VtObjectListEntry>(40));
    list.append(std::make_unique<VtObjectListEntry>(41));
    list.bindAll(referrer);
    list.bindAll(referrer);
    int observers = 0;
    for (VtObjectObserver* o = referrer.getFirstOwnReference(); o; o = o->getNextOfOwner()) {
        EXPECT_EQ(&o->getOwner(), &referrer);
        ++observers;
    }
    EXPECT_EQ(observers, 2);
    EXPECT_EQ(list.at(1)->getObserver()->getOid(), 41);
    list.clear();
    EXPECT_EQ(referrer.getFirstOwnReference(), nullptr);
}
