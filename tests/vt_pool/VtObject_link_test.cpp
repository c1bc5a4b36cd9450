// References between objects: resolving them, changes flowing along them,
// and objects going away while others refer to them.
#include "tests/vt_pool/Vt_bytes.h"
#include "vt_pool/VtObjectContainer.h"
#include "vt_pool/VtObjectDataMask.h"
#include "vt_pool/VtObjectFillAttribute.h"
#include "vt_pool/VtObjectInputFieldList.h"
#include "vt_pool/VtObjectNumberVariable.h"
#include "vt_pool/VtObjectObserver.h"
#include "vt_pool/VtObjectOutputFieldNumber.h"
#include "vt_pool/VtObjectPointer.h"
#include "vt_pool/VtObjectRectangle.h"
#include "vt_pool/VtObjectTable.h"
#include "vt_pool/VtObjectWorkingSet.h"
#include "vt_pool/VtPendingChangeList.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

struct Table : VtObjectTable {
    std::map<uint16_t, VtObject*> objects;
    VtObject* lookup(uint16_t oid) const override
    {
        auto found = objects.find(oid);
        return found == objects.end() ? nullptr : found->second;
    }
    void add(VtObject& object) { objects[object.getOid()] = &object; }
    void resolveAll()
    {
        for (auto& entry : objects)
            entry.second->resolveReferences(*this);
    }
};

// An observer that counts the changes of its target.
struct Counting_observer : VtObjectObserver {
    Counting_observer(VtObject& owner, VtObject& target) : VtObjectObserver(owner)
    {
        setOid(target.getOid());
        attach(target);
    }
    void notify() override { ++changes; }
    int changes = 0;
};

int referrers_of(const VtObject& object)
{
    int n = 0;
    for (VtObjectObserver* o = object.getFirstReferrer(); o; o = o->getNextReferrer())
        ++n;
    return n;
}

}

TEST(VtObjectLink, AChangeFlowsFromAVariableToTheFieldThatShowsIt)
{
    VtObjectNumberVariable variable(1);
    VtObjectOutputFieldNumber field(2);
    VtObjectOutputFieldNumber unrelated(3);
    VtObjectContainer watcher(4);
    field.setVariableReference(1);
    Table table;
    table.add(variable);
    table.add(field);
    table.add(unrelated);
    table.resolveAll();
    Counting_observer on_field(watcher, field);
    Counting_observer on_unrelated(watcher, unrelated);

    variable.setValue(5);
    variable.notifyChanged();
    EXPECT_EQ(on_field.changes, 1);
    EXPECT_EQ(on_unrelated.changes, 0);
}

TEST(VtObjectLink, ResolvingLeavesAnUnknownIdAndNoObjectUnresolved)
{
    VtObjectRectangle rectangle(1);
    VtObjectFillAttribute fill(2);
    VtObjectPointer pointer(3);
    // A peer's object numbered 65535, which no reference can mean.
    VtObjectNumberVariable misnumbered(0xFFFF);
    rectangle.setFillAttributes(2);
    rectangle.setLineAttributes(99);
    Table table;
    table.add(rectangle);
    table.add(fill);
    table.add(pointer);
    table.add(misnumbered);
    table.resolveAll();
    int resolved = 0, unresolved = 0;
    for (VtObjectObserver* o = rectangle.getFirstOwnReference(); o; o = o->getNextOfOwner())
        (o->getTarget() ? resolved : unresolved)++;
    EXPECT_EQ(resolved, 1);
    EXPECT_EQ(unresolved, 1);
    EXPECT_EQ(pointer.getFirstOwnReference()->getTarget(), nullptr);
    EXPECT_EQ(referrers_of(misnumbered), 0);
    EXPECT_EQ(referrers_of(fill), 1);
    // Resolving again does not link twice.
    table.resolveAll();
    EXPECT_EQ(referrers_of(fill), 1);
}

TEST(VtObjectLink, RetargetingSettersAndAttributesLeaveTheOldTarget)
{
    VtObjectRectangle rectangle(1);
    VtObjectFillAttribute fill(2);
    VtObjectFillAttribute pattern_owner(3);
    VtObjectWorkingSet working_set(4);
    rectangle.setFillAttributes(2);
    pattern_owner.setFillPattern(2);
    working_set.setActiveMask(2);
    Table table;
    table.add(fill);
    rectangle.resolveReferences(table);
    EXPECT_EQ(referrers_of(fill), 1);

    // The fill pattern's attribute stores the ID and keeps the observer.
    VtReader reader(nullptr);
    load(reader, bytes("05 00"));
    pattern_owner.setAttribute(3, reader);
    EXPECT_EQ(pattern_owner.getFirstOwnReference()->getOid(), 0xFFFF);
    // A plain setter stores the ID only, too.
    EXPECT_EQ(working_set.getFirstOwnReference()->getOid(), 0xFFFF);

    load(reader, bytes("05 00"));
    rectangle.setAttribute(5, reader);
    EXPECT_EQ(rectangle.getFillAttributes(), 5);
    EXPECT_EQ(referrers_of(fill), 0);
    rectangle.setFillAttributes(2);
    rectangle.resolveReferences(table);
    EXPECT_EQ(referrers_of(fill), 1);
    rectangle.setFillAttributes(6);
    EXPECT_EQ(referrers_of(fill), 0);
}

TEST(VtObjectLink, EveryReferenceTakesItsIdAfterARecordCutShort)
{
    VtObjectDataMask mask(1);
    VtReader reader(nullptr);
    load(reader, bytes("01 D0 07 02"));
    EXPECT_EQ(mask.read(reader), 1);
    EXPECT_EQ(mask.getFirstOwnReference()->getOid(), 2000);
}

TEST(VtObjectLink, AnInputListIsLinkedToItsElementsAfterARead)
{
    VtObjectInputFieldList list(1);
    VtObjectNumberVariable first(10);
    VtObjectNumberVariable second(11);
    VtObjectContainer watcher(2);
    Counting_observer on_list(watcher, list);
    VtReader reader(nullptr);
    load(reader, bytes("10 00 08 00 FF FF 00 02 01 00 0A 00 0B 00"));
    ASSERT_EQ(list.read(reader), 0);
    Table table;
    table.add(first);
    table.add(second);
    list.resolveReferences(table);
    second.notifyChanged();
    EXPECT_EQ(on_list.changes, 1);
    EXPECT_EQ(list.getElements().at(1)->getObserver()->getTarget(), &second);
}

TEST(VtObjectLink, ADestroyedTargetLeavesItsReferrersUnresolved)
{
    VtObjectOutputFieldNumber field(2);
    VtObjectPointer pointer(3);
    field.setVariableReference(1);
    pointer.setValue(1);
    {
        auto variable = std::make_unique<VtObjectNumberVariable>(1);
        Table table;
        table.add(*variable);
        field.resolveReferences(table);
        pointer.resolveReferences(table);
        EXPECT_EQ(referrers_of(*variable), 2);
    }
    for (VtObject* object : {static_cast<VtObject*>(&field), static_cast<VtObject*>(&pointer)})
        for (VtObjectObserver* o = object->getFirstOwnReference(); o; o = o->getNextOfOwner())
            EXPECT_EQ(o->getTarget(), nullptr);
    // The field still names the variable, for a replacement to be found.
    EXPECT_EQ(field.getFirstOwnReference()->getNextOfOwner()->getOid(), 1);
    // A replacement with the same ID is found again.
    VtObjectNumberVariable replacement(1);
    Table table;
    table.add(replacement);
    field.resolveReferences(table);
    field.setVariableReference(7);
    pointer.setValue(7);
    EXPECT_EQ(referrers_of(replacement), 0);
}

TEST(VtObjectLink, AReferrerDestroyedFirstLeavesTheTargetsListWhole)
{
    VtObjectNumberVariable variable(1);
    auto first = std::make_unique<VtObjectOutputFieldNumber>(2);
    VtObjectOutputFieldNumber last(3);
    first->setVariableReference(1);
    last.setVariableReference(1);
    Table table;
    table.add(variable);
    first->resolveReferences(table);
    last.resolveReferences(table);
    first.reset();
    EXPECT_EQ(referrers_of(variable), 1);
    VtObjectContainer watcher(4);
    Counting_observer on_last(watcher, last);
    variable.notifyChanged();
    EXPECT_EQ(on_last.changes, 1);
}

TEST(VtObjectLink, AChangeGoingRoundACycleStops)
{
    VtObjectPointer self(1);
    VtObjectPointer a(2);
    VtObjectPointer b(3);
    self.setValue(1);
    a.setValue(3);
    b.setValue(2);
    Table table;
    table.add(self);
    table.add(a);
    table.add(b);
    table.resolveAll();
    VtObjectContainer watcher(4);
    Counting_observer on_a(watcher, a);
    Counting_observer on_self(watcher, self);

    b.notifyChanged();
    EXPECT_EQ(on_a.changes, 1);
    self.notifyChanged();
    EXPECT_EQ(on_self.changes, 1);
    // Later changes still flow.
    b.notifyChanged();
    EXPECT_EQ(on_a.changes, 2);
}

TEST(VtObjectLink, AnObjectLeavesItsPendingChangeListWhenDestroyed)
{
    VtPendingChangeList pending;
    VtObjectContainer first(1);
    auto middle = std::make_unique<VtObjectContainer>(2);
    VtObjectContainer last(3);
    pending.append(first);
    pending.append(*middle);
    pending.append(last);
    pending.append(first);
    VtPendingChangeList other;
    other.append(last);
    EXPECT_EQ(last.getPendingChangeList(), &pending);

    middle.reset();
    ASSERT_EQ(pending.first(), &first);
    EXPECT_EQ(first.getNextPendingChange(), &last);
    EXPECT_EQ(last.getNextPendingChange(), nullptr);
    pending.remove(first);
    EXPECT_EQ(pending.first(), &last);
    EXPECT_EQ(first.getPendingChangeList(), nullptr);
}

TEST(VtObjectLink, ObjectsBuiltOneAfterTheOtherTakeConsecutiveInstanceNumbers)
{
    VtObjectContainer first(1);
    VtObjectPointer second(2);
    EXPECT_EQ(second.getInstanceNumber(), first.getInstanceNumber() + 1);
}
