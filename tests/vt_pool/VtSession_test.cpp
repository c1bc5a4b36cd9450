#include "tests/support/Iop_check.h"
#include "tests/support/Iop_records.h"
#include "tests/vt_pool/Keeping_logger.h"
#include "tests/vt_pool/Same_objects.h"
#include "tests/vt_pool/Test_fixed_objects.h"
#include "tests/vt_pool/Vt_engine.h"
#include "vt_pool/VtObjectDataMask.h"
#include "vt_pool/VtObjectNumberVariable.h"
#include "vt_pool/VtObjectOutputFieldNumber.h"
#include "vt_pool/VtObjectStringVariable.h"
#include "vt_pool/VtObjectWorkingSet.h"
#include "vt_pool/VtWriter.h"
#include "vt_pool/build_seeder_pool.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(VtSession, StatusCarriesAddressMasksAndBusyStateToEveryNode)
{
    Vt_engine vt;
    vt.display.setActiveMask(1000);
    vt.display.setActiveSoftKeyMask(2000);
    vt.session.sendStatus();
    ASSERT_EQ(vt.transport.sent.size(), 1u);
    EXPECT_EQ(vt.transport.sent[0].destination, 255);
    EXPECT_EQ(hex(vt.transport.sent[0].bytes), "FE 26 E8 03 D0 07 00 00");
}

TEST(VtSession, StatusWithoutDisplayNamesNoMasks)
{
    Vt_engine vt;
    vt.session.setDisplay(nullptr);
    vt.session.sendStatus();
    EXPECT_EQ(hex(vt.transport.sent.at(0).bytes), "FE 26 FF FF FF FF 00 00");
}

TEST(VtSession, EndOfPoolIsAnnouncedBusyAndIdleAroundItsResponse)
{
    Vt_engine vt;
    vt.run(bytes("12"));
    ASSERT_EQ(vt.transport.sent.size(), 3u);
    EXPECT_EQ(vt.transport.sent[0].destination, 255);
    EXPECT_EQ(hex(vt.transport.sent[0].bytes), "FE 26 FF FF FF FF 01 12");
    EXPECT_EQ(vt.transport.sent[1].destination, 0x26);
    EXPECT_EQ(hex(vt.transport.sent[2].bytes), "FE 26 FF FF FF FF 00 00");
}

TEST(VtSession, BusyStateFollowsTheFunction)
{
    struct Case {
        uint8_t code;
        uint8_t busy;
        uint8_t function;
    };
    const Case cases[] = {{18, 1, 18}, {208, 2, 208}, {17, 4, 17}, {209, 4, 209}, {160, 0, 0}, {0, 0, 0}};
    for (const Case& c : cases) {
        Vt_engine vt;
        vt.session.setBusyByFunction(c.code);
        EXPECT_EQ(vt.session.getBusyCode(), c.busy) << int(c.code);
        EXPECT_EQ(vt.session.getCurrentFunction(), c.function) << int(c.code);
        // Only a change of state is told.
        EXPECT_EQ(vt.transport.sent.size(), c.busy ? 1u : 0u) << int(c.code);
        vt.session.setBusyByFunction(c.code);
        EXPECT_EQ(vt.transport.sent.size(), c.busy ? 1u : 0u) << int(c.code);
    }
}

TEST(VtSession, AnUnknownFunctionSendsNothingAtAll)
{
    Vt_engine vt;
    EXPECT_EQ(vt.session.handleMessage(bytes("63 01 02").data(), 3), 1);
    EXPECT_TRUE(vt.transport.sent.empty());
}

TEST(VtSession, ARecordForAnIdHeldReplacesAndDeletesTheOldObject)
{
    Vt_engine vt;
    auto& old_number = vt.add<VtObjectOutputFieldNumber>(5);
    vt.display.createElement(&old_number, nullptr, 0, 0, 0);
    auto& replacement = vt.add<VtObjectNumberVariable>(5);
    EXPECT_EQ(vt.session.lookup(5), &replacement);
    // The old object's element was closed with it.
    EXPECT_EQ(vt.display.lines("close"), std::vector<std::string>{"close 5"});
}

TEST(VtSession, AReplacedWorkingSetIsKeptOnlyByAnotherWorkingSet)
{
    Vt_engine vt;
    auto& first = vt.add<VtObjectWorkingSet>(1);
    EXPECT_EQ(vt.session.getWorkingSet(), &first);
    vt.add<VtObjectDataMask>(1);
    EXPECT_EQ(vt.session.getWorkingSet(), nullptr);
    // End of pool with no working set only answers.
    EXPECT_EQ(hex(vt.run(bytes("12"))), "12 00 FF FF FF FF 00 FF");
    auto& second = vt.add<VtObjectWorkingSet>(1);
    EXPECT_EQ(vt.session.getWorkingSet(), &second);
    auto& third = vt.add<VtObjectWorkingSet>(1);
    EXPECT_EQ(vt.session.getWorkingSet(), &third);
}

TEST(VtSession, ParseStopsAtARecordItCannotReadAndKeepsTheObjectsBefore)
{
    struct Case {
        const char* name;
        const char* pool;
        const char* message;
    };
    // Number variables 10 and 12 round whatever breaks at 11.
    const Case cases[] = {
        {"type 31", "0A 00 15 01 00 00 00  0B 00 1F 00  0C 00 15 02 00 00 00",
         "Creation of VtObject failed - invalid data (oid=11, t=31)\n"},
        {"body cut short", "0A 00 15 01 00 00 00  0B 00 15 02 00", "Setup of VtObject failed - invalid data (res=1)\n"},
    };
    for (const Case& c : cases) {
        Vt_engine vt;
        Keeping_logger logger;
        vt.session.setLogger(&logger);
        vt.session.setVerbose(false);
        VtReader reader(nullptr);
        load(reader, bytes(c.pool));
        vt.session.parsePool(reader);
        EXPECT_NE(vt.session.lookup(10), nullptr) << c.name;
        EXPECT_EQ(vt.session.lookup(11), nullptr) << c.name;
        EXPECT_EQ(vt.session.lookup(12), nullptr) << c.name;
        EXPECT_EQ(logger.lines, c.message) << c.name;
    }
}

TEST(VtSession, APoolWrittenOutReadsBackToTheSameBytes)
{
    Vt_engine vt;
    VtReader reader(nullptr);
    load(reader, bytes("0A 00 15 01 00 00 00  14 00 16 02 00 61 62  05 00 01 01 FF FF 01 00 0A 00 03 00 04 00"));
    vt.session.parsePool(reader);
    VtWriter first(4096, nullptr);
    ASSERT_EQ(vt.session.serialisePool(first), 0);
    Vt_engine copy;
    load(reader, written(first));
    copy.session.parsePool(reader);
    VtWriter second(4096, nullptr);
    ASSERT_EQ(copy.session.serialisePool(second), 0);
    EXPECT_EQ(hex(written(second)), hex(written(first)));
    // In ID order.
    EXPECT_EQ(hex(written(first)).substr(0, 5), "05 00");
}

TEST(VtSession, APoolCutShortByItsWriterIsReported)
{
    Vt_engine vt;
    auto& text = vt.add<VtObjectStringVariable>(3);
    text.setValue(std::string(20, 'x'));
    VtWriter small(10, nullptr);
    EXPECT_EQ(vt.session.serialisePool(small), 1);
}

TEST(VtSession, PeriodicStatusIsSentOncePer900Ms)
{
    Vt_engine vt;
    struct Step {
        uint32_t time;
        int result;
    };
    const Step steps[] = {{1000, 0}, {1899, 13}, {1900, 0}, {1901, 13}, {5000, 0}};
    size_t sent = 0;
    for (const Step& step : steps) {
        vt.system.time = step.time;
        EXPECT_EQ(vt.session.periodicStatus(), step.result) << step.time;
        sent += step.result == 0;
        EXPECT_EQ(vt.transport.sent.size(), sent) << step.time;
    }
}

TEST(VtSession, PeriodicStatusNeedsTransportAndClock)
{
    Vt_engine vt;
    vt.system.time = 5000;
    vt.session.setSystem(nullptr);
    EXPECT_EQ(vt.session.periodicStatus(), 12);
    vt.session.setTransport(nullptr);
    EXPECT_EQ(vt.session.periodicStatus(), 11);
}

TEST(VtSession, TheWorkingSetIsLostAfterMoreThan5000MsWithoutMaintenance)
{
    Vt_engine vt;
    vt.system.time = 1000;
    vt.run(bytes("FF"));
    vt.system.time = 6000;
    EXPECT_FALSE(vt.session.isWorkingSetLost());
    vt.system.time = 6001;
    EXPECT_TRUE(vt.session.isWorkingSetLost());
}

TEST(VtSession, ActivationMessagesGoToTheWorkingSet)
{
    struct Case {
        const char* name;
        std::function<void(VtSession&)> send;
        const char* expected;
    };
    const Case cases[] = {
        {"soft key", [](VtSession& s) { s.sendSoftKeyActivation(0x1234, 0x2345, 7, 1); }, "00 01 34 12 45 23 07 FF"},
        {"button", [](VtSession& s) { s.sendButtonActivation(0x1234, 0x2345, 7, 2); }, "01 02 34 12 45 23 07 FF"},
        {"pointing", [](VtSession& s) { s.sendPointingEvent(10, 300); }, "02 0A 00 2C 01 FF FF FF"},
        {"select", [](VtSession& s) { s.sendSelectInputObject(0x1234, true); }, "03 34 12 01 FF FF FF FF"},
        {"deselect", [](VtSession& s) { s.sendSelectInputObject(0x1234, false); }, "03 34 12 00 FF FF FF FF"},
        {"esc", [](VtSession& s) { s.sendEsc(0x1234, 0); }, "04 34 12 00 FF FF FF FF"},
        {"numeric width 1", [](VtSession& s) { s.sendChangeNumericValue(0x1234, 0x0A0B0C0D, 1); },
         "05 34 12 FF 0D 00 00 00"},
        {"numeric width 2", [](VtSession& s) { s.sendChangeNumericValue(0x1234, 0x0A0B0C0D, 2); },
         "05 34 12 FF 0D 0C 00 00"},
        {"numeric width 4", [](VtSession& s) { s.sendChangeNumericValue(0x1234, 0x0A0B0C0D, 4); },
         "05 34 12 FF 0D 0C 0B 0A"},
        {"active mask", [](VtSession& s) { s.sendChangeActiveMask(0x1234, 0x2345, 0x3456, 1); },
         "06 34 12 01 45 23 56 34"},
        {"soft key mask", [](VtSession& s) { s.sendChangeSoftKeyMask(0x2345, 0x1234, 2); }, "07 34 12 45 23 02 FF FF"},
        {"string", [](VtSession& s) { s.sendChangeStringValue(0x1234, "ab"); }, "08 34 12 02 61 62 FF FF"},
    };
    for (const Case& c : cases) {
        Vt_engine vt;
        c.send(vt.session);
        ASSERT_EQ(vt.transport.sent.size(), 1u) << c.name;
        EXPECT_EQ(vt.transport.sent[0].destination, 0x26) << c.name;
        EXPECT_EQ(hex(vt.transport.sent[0].bytes), c.expected) << c.name;
    }
}

TEST(VtSession, AStringTooLongForItsLengthByteIsNotSent)
{
    Vt_engine vt;
    vt.session.sendChangeStringValue(1, std::string(256, 'x'));
    EXPECT_TRUE(vt.transport.sent.empty());
}

TEST(VtSystemInterface, DefaultsDescribeASmallVersion2Terminal)
{
    VtSystemInterface system;
    system.enableFontSize(9);
    system.enableFontSize(15);
    const VtSystemInterface::Fonts fonts = system.fonts();
    EXPECT_EQ(fonts.small_font_bits, 0x03);
    EXPECT_EQ(fonts.large_font_bits, 0x02);
    EXPECT_EQ(fonts.type_attributes, 251);
    EXPECT_EQ(system.softKeys().descriptor_height, 32);
    EXPECT_EQ(system.hardware().data_mask_width, 200);
    EXPECT_EQ(system.availableMemory(), 268435456u);
}

TEST(VtSession, ReadsAHandMadePoolAsTheCheckerDoes)
{
    ASSERT_TRUE(Iop_check(iop::join(iop::sample_pool())).sound());
    expectSameObjects(iop::join(iop::sample_pool()));
}

TEST(VtSession, ReadsTheApplicationPoolImageAsTheCheckerDoes)
{
    auto pool = std::make_unique<Test_pool>(nullptr, nullptr, 0);
    expectSameObjects(pool->serialise());
}

TEST(VtSession, ReadsTheCodeBuiltPoolAsTheCheckerDoes)
{
    auto ids = std::make_unique<Seeder_pool_ids>();
    VtWriter writer(seeder_pool_writer_size, nullptr);
    ASSERT_TRUE(build_seeder_pool(*ids, writer, VtSize(240, 240)));
    const Bytes pool(writer.getData(), writer.getData() + writer.getLength());
    ASSERT_TRUE(Iop_check(pool).sound());
    expectSameObjects(pool);
}

}
