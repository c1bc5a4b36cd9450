// The bounded writer of ISO 11783-6 fields.
#include "tests/vt_pool/Keeping_logger.h"
#include "tests/vt_pool/Vt_bytes.h"
#include "vt_pool/model/VtColour.h"
#include "vt_pool/model/VtMacroList.h"
#include "vt_pool/model/VtObjectList.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <gtest/gtest.h>

#include <functional>

TEST(VtWriter, WritesLittleEndianFields)
{
    struct {
        const char* what;
        std::function<bool(VtWriter&)> write;
        const char* bytes;
    } cases[] = {
        {"oid", [](VtWriter& w) { return w.writeOid(0xABCD, "oid"); }, "CD AB"},
        {"bool", [](VtWriter& w) { return w.writeBool(true, "b"); }, "01"},
        {"byte", [](VtWriter& w) { return w.writeByte(0xFE, "b"); }, "FE"},
        {"ushort", [](VtWriter& w) { return w.writeUShort(0x1234, "u"); }, "34 12"},
        {"sshort", [](VtWriter& w) { return w.writeSShort(-2, "s"); }, "FE FF"},
        {"uint", [](VtWriter& w) { return w.writeUInt(16909060, "u"); }, "04 03 02 01"},
        {"sint", [](VtWriter& w) { return w.writeSInt(-100, "s"); }, "9C FF FF FF"},
        {"float", [](VtWriter& w) { return w.writeFloat(1.0, "f"); }, "00 00 80 3F"},
        {"colour", [](VtWriter& w) { return w.writeColour(VtColour(215), "c"); }, "D7"},
        {"size", [](VtWriter& w) { return w.writeSize(VtSize(240, 120), "s"); }, "F0 00 78 00"},
        {"string", [](VtWriter& w) { return w.writeString("ab", "s"); }, "02 00 61 62"},
        {"string L1", [](VtWriter& w) { return w.writeStringL1("ab", "s"); }, "02 61 62"},
        {"data", [](VtWriter& w) { return w.writeData(Bytes{1, 2, 3}, "d"); }, "01 02 03"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        VtWriter writer(100, nullptr);
        EXPECT_TRUE(c.write(writer));
        EXPECT_EQ(hex(written(writer)), c.bytes);
    }
}

TEST(VtWriter, RefusesWhatDoesNotFitAndWritesNothingOfIt)
{
    VtWriter writer(3, nullptr);
    EXPECT_TRUE(writer.writeOid(1, "oid"));
    EXPECT_TRUE(writer.writeByte(2, "b"));
    EXPECT_FALSE(writer.writeByte(3, "b"));
    EXPECT_EQ(writer.getLength(), 3u);
    EXPECT_EQ(writer.remaining(), 0u);

    VtWriter room(4, nullptr);
    room.writeByte(9, "b");
    EXPECT_FALSE(room.writeUInt(1, "u"));
    EXPECT_FALSE(room.writeString("abc", "s"));
    EXPECT_FALSE(room.writeData(nullptr, 0, "d"));
    EXPECT_EQ(hex(written(room)), "09");
}

TEST(VtWriter, RefusesAValueTooBigForItsField)
{
    struct {
        const char* what;
        std::function<bool(VtWriter&)> write;
    } cases[] = {
        {"text of 256 bytes after a 1-byte length",
         [](VtWriter& w) { return w.writeStringL1(std::string(256, 'x'), "s"); }},
        {"text of 65,536 bytes after a 2-byte length",
         [](VtWriter& w) { return w.writeString(std::string(65536, 'x'), "s"); }},
        {"colour past the palette", [](VtWriter& w) { return w.writeColour(VtColour(256), "c"); }},
        {"width past 16 bits", [](VtWriter& w) { return w.writeSize(VtSize(65536, 1), "s"); }},
        {"child position past 16 bits",
         [](VtWriter& w) {
             VtObjectRefList list;
             list.append(std::make_unique<VtObjectRef>(1, 0, 0));
             list.append(std::make_unique<VtObjectRef>(2, 0, -32769));
             return w.writeObjectRefList(list, "childs");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        VtWriter writer(100000, nullptr);
        EXPECT_FALSE(c.write(writer));
        EXPECT_EQ(writer.getLength(), 0u);
    }
    VtWriter writer(300, nullptr);
    EXPECT_TRUE(writer.writeStringL1(std::string(255, 'x'), "s"));
    EXPECT_EQ(writer.getLength(), 256u);
}

TEST(VtWriter, WritesAListWholeOrNotAtAll)
{
    VtObjectRefList childs;
    childs.append(std::make_unique<VtObjectRef>(3000, -5, 10));
    childs.append(std::make_unique<VtObjectRef>(10, 0, 1));
    VtObjectList keys;
    keys.append(std::make_unique<VtObjectListEntry>(0x1234));
    keys.append(std::make_unique<VtObjectListEntry>(0xFFFF));
    VtMacroList macros(2);
    macros.append(std::make_unique<VtMacroRef>(5, 0x60));
    macros.append(std::make_unique<VtMacroRef>(6, 0x61));

    struct {
        const char* what;
        std::function<bool(VtWriter&)> write;
        const char* bytes;
    } cases[] = {
        {"children", [&](VtWriter& w) { return w.writeObjectRefList(childs, "childs"); },
         "B8 0B FB FF 0A 00 0A 00 00 00 01 00"},
        {"objects", [&](VtWriter& w) { return w.writeObjectList(keys, "childs"); }, "34 12 FF FF"},
        {"macros", [&](VtWriter& w) { return w.writeMacroList(&macros, "macros"); }, "05 60 06 61"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Bytes all = bytes(c.bytes);
        VtWriter fits(uint32_t(all.size()), nullptr);
        EXPECT_TRUE(c.write(fits));
        EXPECT_EQ(hex(written(fits)), c.bytes);
        VtWriter short_by_one(uint32_t(all.size() - 1), nullptr);
        EXPECT_FALSE(c.write(short_by_one));
        EXPECT_EQ(short_by_one.getLength(), 0u);
    }
    VtWriter writer(10, nullptr);
    EXPECT_FALSE(writer.writeMacroList(nullptr, "macros"));
}

TEST(VtWriter, PadsAMessageToEightBytes)
{
    VtWriter ff(100, nullptr);
    ff.writeByte(1, nullptr);
    ff.writeUShort(2, nullptr);
    ff.padFF();
    EXPECT_EQ(hex(written(ff)), "01 02 00 FF FF FF FF FF");

    VtWriter zeros(100, nullptr);
    zeros.writeByte(5, nullptr);
    zeros.pad00();
    EXPECT_EQ(hex(written(zeros)), "05 00 00 00 00 00 00 00");

    VtWriter full(100, nullptr);
    full.writeUInt(1, nullptr);
    full.writeUInt(2, nullptr);
    full.writeByte(3, nullptr);
    full.padFF();
    EXPECT_EQ(full.getLength(), 9u);
}

TEST(VtWriter, ResetStartsAgainAtTheFront)
{
    VtWriter writer(4, nullptr);
    writer.writeUInt(0x11111111, nullptr);
    writer.reset();
    EXPECT_EQ(writer.getLength(), 0u);
    EXPECT_TRUE(writer.writeUShort(0x2233, nullptr));
    EXPECT_EQ(hex(written(writer)), "33 22");
}

TEST(VtWriter, TracesOnlyWithVerboseLoggerAndName)
{
    Keeping_logger logger;
    VtWriter quiet(100, &logger);
    quiet.writeOid(7, "oid");
    EXPECT_EQ(logger.lines, "");

    VtWriter verbose(100, &logger);
    verbose.setVerbose(true);
    verbose.writeOid(7, nullptr);
    EXPECT_EQ(logger.lines, "");
    VtObjectRefList childs;
    childs.append(std::make_unique<VtObjectRef>(9, -1, 2));
    verbose.writeObjectRefList(childs, "childs");
    verbose.writeFloat(0.5, "scale");
    verbose.writeString("hi", "value");
    EXPECT_EQ(logger.lines, "writeObjectRefList('childs'), count=1\n\n"
                            "writeOid('oid'), v=9\n\n"
                            "writeSShort('x'), v=-1\n\n"
                            "writeSShort('y'), v=2\n\n"
                            "writeFloat('scale'), v=0.500000\n\n"
                            "writeString('value'), v='hi'\n\n");

    VtWriter no_logger(100, nullptr);
    no_logger.setVerbose(true);
    EXPECT_TRUE(no_logger.writeOid(7, "oid"));
}
