#include "tests/vt_pool/Vt_engine.h"
#include "vt_pool/VtObjectAlarmMask.h"
#include "vt_pool/VtObjectContainer.h"
#include "vt_pool/VtObjectDataMask.h"
#include "vt_pool/VtObjectFillAttribute.h"
#include "vt_pool/VtObjectFontAttribute.h"
#include "vt_pool/VtObjectInputFieldList.h"
#include "vt_pool/VtObjectInputFieldNumber.h"
#include "vt_pool/VtObjectLine.h"
#include "vt_pool/VtObjectLineAttribute.h"
#include "vt_pool/VtObjectMeter.h"
#include "vt_pool/VtObjectOutputFieldNumber.h"
#include "vt_pool/VtObjectOutputFieldString.h"
#include "vt_pool/VtObjectPointer.h"
#include "vt_pool/VtObjectSoftKeyMask.h"
#include "vt_pool/VtObjectStringVariable.h"
#include "vt_pool/VtObjectWorkingSet.h"

#include <gtest/gtest.h>

namespace {

// Working set 1300 shows data mask 100 (soft keys 200, container 300 at
// (10, 20)); data mask 101 has soft keys 201; meter 400, font 500, line 600,
// line attributes 700, fill 800, alarm mask 900, input list 1000 of 400 and
// 500, output string 1100, input number 1400.
struct Pool : Vt_engine {
    Pool()
    {
        auto& ws = add<VtObjectWorkingSet>(1300);
        ws.setActiveMask(100);
        auto& mask = add<VtObjectDataMask>(100);
        mask.setSoftKeyMask(200);
        addChild(mask.getChilds(), 300, 10, 20);
        add<VtObjectDataMask>(101).setSoftKeyMask(201);
        add<VtObjectSoftKeyMask>(200);
        add<VtObjectSoftKeyMask>(201);
        add<VtObjectContainer>(300);
        add<VtObjectMeter>(400);
        add<VtObjectFontAttribute>(500);
        add<VtObjectLine>(600);
        add<VtObjectLineAttribute>(700);
        add<VtObjectFillAttribute>(800);
        add<VtObjectAlarmMask>(900);
        auto& list = add<VtObjectInputFieldList>(1000);
        list.addElement(400);
        list.addElement(500);
        add<VtObjectOutputFieldString>(1100);
        add<VtObjectInputFieldNumber>(1400);
    }
};

struct Exchange {
    const char* name;
    const char* request;
    const char* response; // "" for none
};

const Exchange exchanges[] = {
    {"pool transfer", "11 0A 00 15 01 00 00 00", ""},
    {"end of pool", "12", "12 00 FF FF FF FF 00 FF"},
    {"32 accepted", "20", ""},
    {"33 accepted", "21", ""},
    {"ESC with nothing selected", "92", "92 FF FF 01 FF FF FF FF"},
    {"hide container", "A0 2C 01 00", "A0 2C 01 00 00 FF FF FF"},
    {"show missing", "A0 39 30 01", "A0 39 30 01 01 FF FF FF"},
    {"hide/show short", "A0", "A0 FF FF 00 01 FF FF FF"},
    {"enable without elements", "A1 2C 01 01", "A1 2C 01 01 02 FF FF FF"},
    {"select a container", "A2 2C 01", "A2 2C 01 00 02 FF FF FF"},
    {"select an input not shown", "A2 78 05", "A2 78 05 00 04 FF FF FF"},
    {"audio", "A3 01 E8 03 64 00 64 00", "A3 00 FF FF FF FF FF FF"},
    {"volume", "A4 50", "A4 00 FF FF FF FF FF FF"},
    {"move child by nothing", "A5 64 00 2C 01 7F 7F", "A5 64 00 2C 01 00 FF FF"},
    {"move child of missing parent", "A5 01 00 2C 01 80 80", "A5 01 00 2C 01 01 FF FF"},
    {"move child short", "A5", "A5 FF FF FF FF 03 FF FF"},
    {"place child", "B4 64 00 2C 01 05 00 06 00", "B4 64 00 2C 01 00 FF FF"},
    {"place missing child", "B4 64 00 39 30 05 00 06 00", "B4 64 00 39 30 02 FF FF"},
    {"size", "A6 2C 01 50 00 28 00", "A6 2C 01 00 FF FF FF FF"},
    {"size of missing", "A6 39 30 50 00 28 00", "A6 39 30 01 FF FF FF FF"},
    {"background colour", "A7 64 00 05", "A7 64 00 05 00 FF FF FF"},
    {"background colour of missing", "A7 39 30 05", "A7 39 30 05 01 FF FF FF"},
    {"meter to 300", "A8 90 01 FF 2C 01", "A8 90 01 00 2C 01 00 00"},
    {"input number", "A8 78 05 FF 04 03 02 01", "A8 78 05 00 04 03 02 01"},
    {"input list", "A8 E8 03 FF 01", "A8 E8 03 00 01 00 00 00"},
    {"numeric value of a container", "A8 2C 01 FF 01 00", "A8 2C 01 00 00 00 00 00"},
    {"numeric value of missing", "A8 39 30 FF 01 00 00 00", "A8 39 30 01 00 00 00 00"},
    {"numeric value short", "A8", "A8 FF FF 01 00 00 00 00"},
    {"meter value short", "A8 90 01 FF", "A8 90 01 00 00 00 00 00"},
    {"end point", "A9 58 02 0A 00 14 00 01", "A9 58 02 00 FF FF FF FF"},
    {"end point direction 2", "A9 58 02 0A 00 14 00 02", "A9 58 02 03 FF FF FF FF"},
    {"end point of missing", "A9 39 30 0A 00 14 00 00", "A9 39 30 01 FF FF FF FF"},
    {"font", "AA F4 01 01 02 00 00", "AA F4 01 00 FF FF FF FF"},
    {"font errors on missing", "AA 39 30 01 0F 02 80", "AA 39 30 1D FF FF FF FF"},
    {"font type 255", "AA F4 01 01 02 FF 00", "AA F4 01 00 FF FF FF FF"},
    {"font on a line", "AA 58 02 01 02 00 00", "AA 58 02 01 FF FF FF FF"},
    {"line attributes", "AB BC 02 01 02 FF 00", "AB BC 02 00 FF FF FF FF"},
    {"line attributes of a font", "AB F4 01 01 02 FF 00", "AB F4 01 01 FF FF FF FF"},
    {"fill", "AC 20 03 02 01 FF FF", "AC 20 03 00 FF FF FF FF"},
    {"fill type 4", "AC 20 03 04 01 FF FF", "AC 20 03 03 FF FF FF FF"},
    {"active mask", "AD 14 05 65 00", "AD 65 00 00 FF FF FF FF"},
    {"active alarm mask", "AD 14 05 84 03", "AD 84 03 00 FF FF FF FF"},
    {"active mask not a mask", "AD 14 05 2C 01", "AD 2C 01 01 FF FF FF FF"},
    {"soft key mask", "AE 64 00 C9 00", "AE 64 00 C9 00 00 FF FF"},
    {"soft key mask not one", "AE 64 00 2C 01", "AE 64 00 2C 01 01 FF FF"},
    {"attribute soft key mask", "AF 64 00 02 C9 00", "AF 64 00 02 00 FF FF FF"},
    {"attribute unknown", "AF 64 00 09 00", "AF 64 00 09 02 FF FF FF"},
    {"attribute of missing", "AF 39 30 01 00", "AF 39 30 01 01 FF FF FF"},
    {"priority", "B0 84 03 02", "B0 84 03 02 00 FF FF FF"},
    {"priority 3", "B0 84 03 03", "B0 84 03 03 03 FF FF FF"},
    {"priority of a data mask", "B0 64 00 01", "B0 64 00 01 01 FF FF FF"},
    {"list item", "B1 E8 03 00 F4 01", "B1 FF FF FF FF FF FF FF"},
    {"delete pool", "B2", "B2 00 FF FF FF FF FF FF"},
    {"string", "B3 4C 04 02 00 68 69", "B3 4C 04 00 FF FF FF FF"},
    {"string of missing", "B3 39 30 02 00 68 69", "B3 39 30 01 FF FF FF FF"},
    {"memory that fits", "C0 FF 00 10 00 00", "C0 02 00 FF FF FF FF FF"},
    {"memory that does not", "C0 FF 00 00 00 20", "C0 02 01 FF FF FF FF FF"},
    {"memory short", "C0 FF", "C0 02 01 FF FF FF FF FF"},
    {"soft keys", "C2", "C2 FF FF FF 3C 20 08 08"},
    {"fonts", "C3", "C3 FF FF FF FF 03 00 FB"},
    {"hardware", "C7", "C7 FF 02 0F C8 00 C8 00"},
    {"store version", "D0 76 31 20 20 20 20 20", "D0 FF FF FF FF 00 FF FF"},
    {"load missing version", "D1 76 39 20 20 20 20 20", "D1 FF FF FF FF 02 FF FF"},
    {"delete version", "D2 76 31 20 20 20 20 20", "D2 FF FF FF FF 00 FF FF"},
    {"no versions", "DF", "E0 00"},
    {"maintenance", "FF", ""},
    {"unknown", "63 01 02 03", ""},
};

TEST(VtCommandDispatcher, EachFunctionAnswersAsTheTableSays)
{
    for (const Exchange& exchange : exchanges) {
        Pool vt;
        EXPECT_EQ(hex(vt.run(bytes(exchange.request))), exchange.response) << exchange.name;
    }
}

TEST(VtCommandDispatcher, EachFunctionAnswersWithoutSystemInterface)
{
    const Exchange without[] = {
        {"audio", "A3 01 E8 03 64 00 64 00", "A3 10 FF FF FF FF FF FF"},
        {"volume", "A4 50", "A4 10 FF FF FF FF FF FF"},
        {"memory", "C0 FF 00 10 00 00", "C0 00 01 FF FF FF FF FF"},
        {"soft keys", "C2", "C2 FF FF FF 00 00 00 00"},
        {"fonts", "C3", "C3 FF FF FF FF 00 00 00"},
        {"hardware", "C7", "C7 FF 00 00 00 00 00 00"},
        {"store version", "D0 76 31 20 20 20 20 20", "D0 FF FF FF FF 04 FF FF"},
        {"load version", "D1 76 31 20 20 20 20 20", "D1 FF FF FF FF 00 FF FF"},
        {"versions", "DF", "E0 00"},
    };
    for (const Exchange& exchange : without) {
        Pool vt;
        vt.session.setSystem(nullptr);
        EXPECT_EQ(hex(vt.run(bytes(exchange.request))), exchange.response) << exchange.name;
    }
}

TEST(VtCommandDispatcher, MovingAChildBy127LeavesItWhereItIs)
{
    Pool vt;
    auto& mask = static_cast<VtObjectDataMask&>(*vt.session.lookup(100));
    vt.run(bytes("A5 64 00 2C 01 7F 7F"));
    EXPECT_EQ(mask.getChilds().at(0)->x, 10);
    EXPECT_EQ(mask.getChilds().at(0)->y, 20);
    vt.run(bytes("A5 64 00 2C 01 80 7E"));
    EXPECT_EQ(mask.getChilds().at(0)->x, 11);
    EXPECT_EQ(mask.getChilds().at(0)->y, 19);
    vt.run(bytes("B4 64 00 2C 01 FB FF 06 00"));
    EXPECT_EQ(mask.getChilds().at(0)->x, -5);
    EXPECT_EQ(mask.getChilds().at(0)->y, 6);
}

TEST(VtCommandDispatcher, ChangingTheSoftKeyMaskAttributeSwitchesTheShownSoftKeys)
{
    Pool vt;
    vt.run(bytes("12"));
    ASSERT_EQ(vt.display.getActiveMask(), 100);
    ASSERT_EQ(vt.display.getActiveSoftKeyMask(), 200);
    auto& mask = static_cast<VtObjectDataMask&>(*vt.session.lookup(100));
    vt.run(bytes("AF 64 00 02 C9 00"));
    EXPECT_EQ(mask.getSoftKeyMask(), 201);
    EXPECT_EQ(vt.display.getActiveSoftKeyMask(), 201);
    // The reference follows the new soft key mask.
    mask.resolveReferences(vt.session);
    EXPECT_EQ(vt.session.lookup(201)->getFirstReferrer()->getOid(), 201);
    EXPECT_EQ(vt.session.lookup(200)->getFirstReferrer(), nullptr);
}

TEST(VtCommandDispatcher, EndOfPoolShowsTheWorkingSetsMaskOnce)
{
    Pool vt;
    vt.run(bytes("12"));
    EXPECT_EQ(vt.display.getActiveMask(), 100);
    EXPECT_EQ(vt.display.lines("setMaskElement"), (std::vector<std::string>{"setMaskElement null", "setMaskElement 100"}));
    EXPECT_TRUE(vt.session.getPendingChanges().isEmpty());
    // A second end of pool keeps the mask shown.
    vt.display.log.clear();
    vt.run(bytes("12"));
    EXPECT_EQ(vt.display.lines("setMaskElement"), std::vector<std::string>{"setMaskElement 100"});
}

TEST(VtCommandDispatcher, DeletingThePoolClearsTheDisplayAndTheTable)
{
    Pool vt;
    vt.run(bytes("12"));
    vt.display.log.clear();
    vt.run(bytes("B2"));
    EXPECT_EQ(vt.display.log.front(), "clear");
    EXPECT_EQ(vt.session.lookup(100), nullptr);
    EXPECT_EQ(vt.session.getWorkingSet(), nullptr);
    EXPECT_EQ(vt.display.lines("close 300").size(), 1u);
}

// The value byte of an input list's record body.
uint8_t listValue(VtObject& list)
{
    VtWriter body(64, nullptr);
    list.write(body);
    return written(body).at(6);
}

TEST(VtCommandDispatcher, AListItemChoosesTheIndexOfTheObjectNamed)
{
    Pool vt;
    VtObject& list = *vt.session.lookup(1000);
    vt.run(bytes("B1 E8 03 00 F4 01"));
    EXPECT_EQ(listValue(list), 1) << "the position of object 500";
    // An index past the list changes nothing.
    vt.run(bytes("B1 E8 03 05 FF FF"));
    EXPECT_EQ(listValue(list), 1);
    vt.run(bytes("B1 E8 03 00 FF FF"));
    EXPECT_EQ(listValue(list), 0);
}

TEST(VtCommandDispatcher, AStoredVersionLoadsBackAndShowsItsPool)
{
    Pool vt;
    vt.run(bytes("D0 76 31 20 20 20 20 20"));
    ASSERT_EQ(vt.system.versions.count("v1     "), 1u);
    vt.run(bytes("B2"));
    ASSERT_EQ(vt.session.lookup(1300), nullptr);
    EXPECT_EQ(hex(vt.run(bytes("D1 76 31 20 20 20 20 20"))), "D1 FF FF FF FF 00 FF FF");
    EXPECT_NE(vt.session.lookup(1300), nullptr);
    EXPECT_EQ(vt.display.getActiveMask(), 100);
}

TEST(VtCommandDispatcher, AVersionLabelIsReadAsExactlySevenBytes)
{
    Pool vt;
    vt.run(bytes("D0 61 62 63 64 65 66 67 68 69"));
    ASSERT_EQ(vt.system.versions.size(), 1u);
    EXPECT_EQ(vt.system.versions.begin()->first, "abcdefg");
}

TEST(VtCommandDispatcher, APoolLargerThanAStoredVersionIsAnError)
{
    Pool vt;
    // 17 texts of 60,000 bytes: past the 1,000,000 bytes of a version.
    for (uint16_t oid = 2000; oid < 2017; ++oid)
        vt.add<VtObjectStringVariable>(oid).setValue(std::string(60000, 'x'));
    EXPECT_EQ(hex(vt.run(bytes("D0 76 31 20 20 20 20 20"))), "D0 FF FF FF FF 02 FF FF");
    EXPECT_TRUE(vt.system.versions.empty());
}

TEST(VtCommandDispatcher, VersionsAreListedAsSevenByteLabels)
{
    Pool vt;
    vt.system.versions["a"];
    vt.system.versions["longer than seven"];
    EXPECT_EQ(hex(vt.run(bytes("DF"))), "E0 02 61 20 20 20 20 20 20 6C 6F 6E 67 65 72 20");
}

TEST(VtCommandDispatcher, VersionsPastOneMessageAreCutWithTheirCount)
{
    Pool vt;
    for (int i = 0; i < 300; ++i)
        vt.system.versions["v" + std::to_string(1000 + i)];
    const Bytes answer = vt.run(bytes("DF"));
    ASSERT_GE(answer.size(), 2u);
    EXPECT_EQ(answer[1], 254);
    EXPECT_EQ(answer.size(), 2u + 254u * 7u);
}

TEST(VtCommandDispatcher, HidingAContainerSetsItsFlagAndHidesItsElements)
{
    Pool vt;
    vt.run(bytes("12"));
    auto& container = static_cast<VtObjectContainer&>(*vt.session.lookup(300));
    vt.run(bytes("A0 2C 01 00"));
    EXPECT_TRUE(container.getHidden());
    EXPECT_EQ(vt.display.lines("hide"), std::vector<std::string>{"hide 300"});
    vt.run(bytes("A0 2C 01 01"));
    EXPECT_FALSE(container.getHidden());
    // Enabling needs elements, which the container now has.
    EXPECT_EQ(hex(vt.run(bytes("A1 2C 01 00"))), "A1 2C 01 00 00 FF FF FF");
    EXPECT_EQ(vt.display.lines("disable"), std::vector<std::string>{"disable 300"});
}

TEST(VtCommandDispatcher, ChangingASizeResizesTheElements)
{
    Pool vt;
    vt.run(bytes("12"));
    vt.run(bytes("A6 2C 01 50 00 28 00"));
    auto& container = static_cast<VtObjectContainer&>(*vt.session.lookup(300));
    EXPECT_EQ(container.getWidth(), 80u);
    EXPECT_EQ(container.getHeight(), 40u);
    EXPECT_EQ(vt.display.lines("resize"), std::vector<std::string>{"resize 80 40 300"});
}

TEST(VtCommandDispatcher, ChangingAPointerMovesItsElementToTheNewTarget)
{
    Pool vt;
    auto& pointer = vt.add<VtObjectPointer>(1200);
    pointer.setValue(1100);
    addChild(static_cast<VtObjectDataMask&>(*vt.session.lookup(100)).getChilds(), 1200, 0, 0);
    vt.run(bytes("12"));
    ASSERT_TRUE(vt.session.lookup(1100)->hasDisplayElements());
    vt.display.log.clear();
    EXPECT_EQ(hex(vt.run(bytes("A8 B0 04 FF 90 01"))), "A8 B0 04 00 90 01 00 00");
    EXPECT_EQ(pointer.getValue(), 400);
    EXPECT_FALSE(vt.session.lookup(1100)->hasDisplayElements());
    EXPECT_TRUE(vt.session.lookup(400)->hasDisplayElements());
    EXPECT_EQ(vt.display.lines("close"), std::vector<std::string>{"close 1100"});
}

TEST(VtCommandDispatcher, ChangesQueueTheShownElementsForRedrawing)
{
    Pool vt;
    vt.run(bytes("12"));
    vt.display.refreshAll();
    vt.display.log.clear();
    vt.run(bytes("A7 2C 01 05"));
    vt.run(bytes("A7 2C 01 06"));
    vt.display.refreshAll();
    EXPECT_EQ(vt.display.lines("refresh"), std::vector<std::string>{"refresh 300"});
}

}
