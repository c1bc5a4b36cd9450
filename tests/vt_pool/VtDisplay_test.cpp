#include "tests/vt_pool/Vt_engine.h"
#include "vt_pool/VtObjectButton.h"
#include "vt_pool/VtObjectContainer.h"
#include "vt_pool/VtObjectDataMask.h"
#include "vt_pool/VtObjectInputFieldNumber.h"
#include "vt_pool/VtObjectKey.h"
#include "vt_pool/VtObjectOutputFieldNumber.h"
#include "vt_pool/VtObjectPointer.h"
#include "vt_pool/VtObjectSoftKeyMask.h"
#include "vt_pool/model/VtDisplayElementCommands.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> creations(const Recording_display& display)
{
    return display.lines("create");
}

TEST(VtDisplay, SoftKeysStackDownwardsAndAMissingKeyKeepsItsPlace)
{
    for (bool with_system : {false, true}) {
        Vt_engine vt;
        if (!with_system)
            vt.session.setSystem(nullptr);
        auto& keys = vt.add<VtObjectSoftKeyMask>(10);
        addEntry(keys.getChilds(), 11);
        addEntry(keys.getChilds(), 99);
        addEntry(keys.getChilds(), 12);
        vt.add<VtObjectKey>(11);
        vt.add<VtObjectKey>(12);
        vt.display.setActiveSoftKeyMask(10);
        EXPECT_EQ(creations(vt.display), (std::vector<std::string>{"create 10 at 0 0", "create 11 at 0 0",
                                                                   "create 12 at 0 64"}));
        // With a system interface each key takes the descriptor's size.
        EXPECT_EQ(vt.display.lines("resize"),
                  with_system ? (std::vector<std::string>{"resize 60 32 11", "resize 60 32 12"})
                              : std::vector<std::string>{});
        EXPECT_EQ(vt.display.lines("setSoftKeyElement"), std::vector<std::string>{"setSoftKeyElement 10"});
    }
}

TEST(VtDisplay, AnElementIsCreatedOncePerParentAndTag)
{
    Vt_engine vt;
    auto& number = vt.add<VtObjectOutputFieldNumber>(5);
    VtDisplayElement* first = vt.display.createElement(&number, nullptr, 1, 2, 7);
    EXPECT_EQ(vt.display.createElement(&number, nullptr, 3, 4, 7), first);
    VtDisplayElement* other = vt.display.createElement(&number, nullptr, 3, 4, 8);
    EXPECT_NE(other, first);
    EXPECT_EQ(other->getTag(), 8u);
    EXPECT_EQ(creations(vt.display).size(), 2u);
}

TEST(VtDisplay, AKeysChildrenSitInsideItsFrame)
{
    Vt_engine vt;
    auto& key = vt.add<VtObjectKey>(5);
    addChild(key.getChilds(), 6, 4, 2);
    vt.add<VtObjectOutputFieldNumber>(6);
    vt.display.createElement(&key, nullptr, 0, 0, 0);
    EXPECT_EQ(creations(vt.display), (std::vector<std::string>{"create 5 at 0 0", "create 6 at 5 3"}));
    EXPECT_EQ(vt.display.lines("realize"), std::vector<std::string>{"realize 6"});
}

TEST(VtDisplay, AnUnknownActiveMaskIsKeptButShowsNothing)
{
    Vt_engine vt;
    vt.display.setActiveMask(4242);
    EXPECT_EQ(vt.display.getActiveMask(), 4242);
    EXPECT_EQ(vt.display.log, std::vector<std::string>{"setMaskElement null"});
}

TEST(VtDisplay, APointerTakesTheSizeAndVisibilityOfWhatItShows)
{
    for (bool hidden : {true, false}) {
        Vt_engine vt;
        auto& container = vt.add<VtObjectContainer>(5);
        container.setHidden(hidden);
        container.setSize(VtSize(30, 40));
        auto& pointer = vt.add<VtObjectPointer>(6);
        pointer.setValue(5);
        VtDisplayElement* element = vt.display.createElement(&pointer, nullptr, 0, 0, 0);
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(element->width(), 30);
        EXPECT_EQ(element->height(), 40);
        EXPECT_EQ(element->isHidden(), hidden);
        EXPECT_EQ(container.getDisplayElements().first()->getParent(), element);
    }
}

TEST(VtDisplay, APointerToNothingIsHidden)
{
    Vt_engine vt;
    auto& pointer = vt.add<VtObjectPointer>(6);
    pointer.setValue(77);
    VtDisplayElement* element = vt.display.createElement(&pointer, nullptr, 0, 0, 0);
    EXPECT_TRUE(element->isHidden());
    EXPECT_EQ(element->width(), 0);
}

TEST(VtDisplay, EscapeIsSentOnlyForASelectedFieldNotBeingEdited)
{
    struct Case {
        bool selected;
        bool open;
        bool sent;
    };
    const Case cases[] = {{true, false, true}, {true, true, false}, {false, false, false}};
    for (const Case& c : cases) {
        Vt_engine vt;
        auto& number = vt.add<VtObjectInputFieldNumber>(0x1234);
        VtDisplayElement* element = vt.display.createElement(&number, nullptr, 0, 0, 0);
        element->setSelected(c.selected);
        element->setOpenForEdit(c.open);
        vt.display.setSelectedElement(element);
        element->escape();
        const auto sent = vt.transport.to(0x26);
        ASSERT_EQ(sent.size(), c.sent ? 1u : 0u);
        if (!c.sent)
            continue;
        EXPECT_EQ(hex(sent[0]), "04 34 12 00 FF FF FF FF");
        EXPECT_FALSE(element->isSelected());
        EXPECT_EQ(vt.display.getSelectedElement(), nullptr);
    }
}

TEST(VtDisplay, SelectingAShownFieldAndEscapeTheVtAnswers)
{
    Vt_engine vt;
    auto& mask = vt.add<VtObjectDataMask>(1);
    addChild(mask.getChilds(), 0x1234, 0, 0);
    vt.add<VtObjectInputFieldNumber>(0x1234);
    vt.display.setActiveMask(1);
    EXPECT_EQ(hex(vt.run(bytes("A2 34 12"))), "A2 34 12 00 00 FF FF FF");
    EXPECT_EQ(vt.display.getSelectedElement()->getObjectId(), 0x1234);
    EXPECT_EQ(hex(vt.run(bytes("92"))), "92 34 12 00 FF FF FF FF");
    EXPECT_EQ(vt.display.getSelectedElement(), nullptr);
    // Disabled, then hidden.
    vt.run(bytes("A1 34 12 00"));
    EXPECT_EQ(hex(vt.run(bytes("A2 34 12"))), "A2 34 12 00 01 FF FF FF");
    vt.run(bytes("A1 34 12 01"));
    vt.run(bytes("A0 34 12 00"));
    EXPECT_EQ(hex(vt.run(bytes("A2 34 12"))), "A2 34 12 00 04 FF FF FF");
}

TEST(VtDisplay, KeysAndButtonsSendTheirActivation)
{
    Vt_engine vt;
    vt.display.setActiveMask(0x0102);
    auto& key = vt.add<VtObjectKey>(0x1234);
    auto& button = vt.add<VtObjectButton>(0x2345);
    vt.display.createElement(&key, nullptr, 0, 0, 0)->activate(1, 9);
    vt.display.createElement(&button, nullptr, 0, 0, 0)->activate(0, 3);
    const auto sent = vt.transport.to(0x26);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(hex(sent[0]), "00 01 34 12 02 01 09 FF");
    EXPECT_EQ(hex(sent[1]), "01 00 45 23 02 01 03 FF");
}

// Container 5 in containers 1, 2 and 3, all three under the root.
struct Three_places : Vt_engine {
    Three_places()
    {
        add<VtObjectContainer>(5);
        for (uint16_t oid = 1; oid <= 3; ++oid) {
            auto& parent = add<VtObjectContainer>(oid);
            addChild(parent.getChilds(), 5, 0, 0);
            display.createElement(&parent, nullptr, 0, 0, 0);
        }
        display.log.clear();
    }
    VtDisplayElementList& elements() { return session.lookup(5)->getDisplayElements(); }
};

TEST(VtDisplay, HidingAnObjectShownThreeTimesHidesAllThree)
{
    Three_places vt;
    VtDisplayElementCommandHide hide;
    EXPECT_EQ(vt.elements().applyCommand(hide), 0);
    EXPECT_EQ(vt.display.log, (std::vector<std::string>{"hide 5", "hide 5", "hide 5"}));
}

TEST(VtDisplay, ParentCommandsTouchOnlyElementsUnderThatParent)
{
    Three_places vt;
    VtDisplayElementCommandChangeChildLocation move(2, 1, -1);
    vt.elements().applyCommand(move);
    VtDisplayElementCommandSetPosition place(3, 7, 8);
    vt.elements().applyCommand(place);
    EXPECT_EQ(vt.display.log, (std::vector<std::string>{"moveBy 1 -1 5", "setPosition 7 8 5"}));
    VtDisplayElementCommandCloseChildsWithSelectedParent close(1);
    vt.elements().applyCommand(close);
    EXPECT_EQ(vt.display.lines("close"), std::vector<std::string>{"close 5"});
    EXPECT_EQ(vt.display.lines("create").size(), 0u);
}

TEST(VtDisplay, Parent65535MatchesElementsUnderTheRoot)
{
    Three_places vt;
    VtDisplayElementCommandChangeChildLocation move(0xFFFF, 2, 2);
    vt.session.lookup(1)->getDisplayElements().applyCommand(move);
    vt.elements().applyCommand(move);
    EXPECT_EQ(vt.display.log, std::vector<std::string>{"moveBy 2 2 1"});
}

TEST(VtDisplay, CreateNewChildsNeedsAParentShowingAnObject)
{
    Three_places vt;
    VtDisplayElementCommandCreateNewChilds create(vt.display);
    // Containers 1 to 3 hang from the root, which shows no object.
    EXPECT_EQ(vt.session.lookup(1)->getDisplayElements().applyCommand(create), 0);
    EXPECT_TRUE(vt.display.log.empty());
    // Under container 2 it finds container 2 again and misses nothing.
    vt.elements().applyCommand(create);
    EXPECT_EQ(vt.display.lines("create").size(), 0u);
    EXPECT_EQ(vt.display.lines("realize").size(), 3u);
}

TEST(VtDisplay, AContainerHoldingItselfIsDrawnOnce)
{
    Vt_engine vt;
    auto& container = vt.add<VtObjectContainer>(5);
    addChild(container.getChilds(), 5, 1, 1);
    auto& pointer = vt.add<VtObjectPointer>(6);
    pointer.setValue(6);
    vt.display.createElement(&container, nullptr, 0, 0, 0);
    vt.display.createElement(&pointer, nullptr, 0, 0, 0);
    EXPECT_EQ(creations(vt.display), (std::vector<std::string>{"create 5 at 0 0", "create 6 at 0 0"}));
}

TEST(VtDisplay, ClosingTheChildrenOfOneParentLeavesTheOthers)
{
    Three_places vt;
    VtDisplayElement* under_two = vt.session.lookup(2)->getDisplayElements().first();
    vt.elements().closeChildrenOf(under_two);
    EXPECT_EQ(vt.display.log, std::vector<std::string>{"close 5"});
    std::vector<uint16_t> parents;
    for (VtDisplayElement* left = vt.elements().first(); left; left = vt.elements().next(*left))
        parents.push_back(left->getParentOid());
    EXPECT_EQ(parents, (std::vector<uint16_t>{1, 3}));
}

TEST(VtDisplay, AChangedObjectIsRedrawnOnce)
{
    Three_places vt;
    vt.session.lookup(5)->notifyChanged();
    vt.session.lookup(5)->notifyChanged();
    vt.display.refreshAll();
    EXPECT_EQ(vt.display.log, (std::vector<std::string>{"refresh 5", "refresh 5", "refresh 5"}));
    vt.display.refreshAll();
    EXPECT_EQ(vt.display.log.size(), 3u);
}

TEST(VtDisplay, ClosingAParentLeavesItsChildrenWithoutOne)
{
    Three_places vt;
    VtDisplayElement* child = vt.elements().first();
    ASSERT_NE(child->getParent(), nullptr);
    vt.session.lookup(1)->getDisplayElements().closeAll();
    EXPECT_EQ(child->getParent(), nullptr);
    EXPECT_EQ(child->getParentOid(), 0xFFFF);
}

TEST(VtDisplay, WithoutARootNothingIsCreated)
{
    Vt_engine vt;
    vt.display.has_root = false;
    auto& number = vt.add<VtObjectOutputFieldNumber>(5);
    EXPECT_EQ(vt.display.createElement(&number, nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(vt.display.createElement(nullptr, vt.display.root, 0, 0, 0), nullptr);
}

}
