// The bounded reader of ISO 11783-6 fields.
#include "tests/vt_pool/Keeping_logger.h"
#include "tests/vt_pool/Vt_bytes.h"
#include "vt_pool/model/VtColour.h"
#include "vt_pool/model/VtMacroList.h"
#include "vt_pool/model/VtObjectList.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <gtest/gtest.h>

#include <functional>

TEST(VtReader, ReadsLittleEndianFields)
{
    VtReader reader(nullptr);
    load(reader, bytes("CD AB 05 FF FF FF FF 04 03 02 01 9C FF FF FF 00 00 80 3F D7 F0 00 78 00 02"));
    uint16_t oid = 0, unsigned_short = 0;
    int16_t signed_short = 0;
    bool flag = false;
    uint32_t unsigned_int = 0;
    int32_t signed_int = 0;
    double real = 0;
    VtColour colour;
    VtSize size;
    uint8_t byte = 0;
    ASSERT_TRUE(reader.readOid(oid, "oid"));
    ASSERT_TRUE(reader.readBool(flag, "b"));
    ASSERT_TRUE(reader.readSShort(signed_short, "s"));
    ASSERT_TRUE(reader.readUShort(unsigned_short, "u"));
    ASSERT_TRUE(reader.readUInt(unsigned_int, "u"));
    ASSERT_TRUE(reader.readSInt(signed_int, "s"));
    ASSERT_TRUE(reader.readFloat(real, "f"));
    ASSERT_TRUE(reader.readColour(colour, "c"));
    ASSERT_TRUE(reader.readSize(size, "size"));
    ASSERT_TRUE(reader.readByte(byte, "b"));
    EXPECT_EQ(oid, 0xABCD);
    EXPECT_TRUE(flag);
    EXPECT_EQ(signed_short, -1);
    EXPECT_EQ(unsigned_short, 65535);
    EXPECT_EQ(unsigned_int, 16909060u);
    EXPECT_EQ(signed_int, -100);
    EXPECT_EQ(real, 1.0);
    EXPECT_EQ(colour.getIndex(), 215u);
    EXPECT_EQ(colour.getGreen(), 153u);
    EXPECT_EQ(size.width, 240u);
    EXPECT_EQ(size.height, 120u);
    EXPECT_EQ(byte, 2);
    EXPECT_EQ(reader.remaining(), 0u);
    EXPECT_FALSE(reader.readByte(byte, "b"));
}

TEST(VtReader, AShortFieldConsumesNothingAndLeavesItsValue)
{
    struct {
        const char* what;
        const char* data;
        std::function<bool(VtReader&)> read;
    } cases[] = {
        {"oid", "01", [](VtReader& r) { uint16_t v = 7; return r.readOid(v, "o") || v != 7; }},
        {"uint", "01 02 03", [](VtReader& r) { uint32_t v = 7; return r.readUInt(v, "u") || v != 7; }},
        {"float", "00 00 80", [](VtReader& r) { double v = 7; return r.readFloat(v, "f") || v != 7; }},
        {"size", "01 00 02", [](VtReader& r) { VtSize v(7, 7); return r.readSize(v, "s") || v.width != 7; }},
        {"counted text", "41 42", [](VtReader& r) { std::string v; return r.readString(v, 3, "s"); }},
        {"text, 2-byte length", "05 00 41 42 43 44", [](VtReader& r) { std::string v; return r.readString(v, "s"); }},
        {"text, 1-byte length", "05 41 42 43 44", [](VtReader& r) { std::string v; return r.readStringL1(v, "s"); }},
        {"length alone", "05", [](VtReader& r) { std::string v; return r.readString(v, "s"); }},
        {"data", "01 02", [](VtReader& r) { Bytes v; return r.readData(v, 3, "d"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        VtReader reader(nullptr);
        const Bytes data = bytes(c.data);
        load(reader, data);
        EXPECT_FALSE(c.read(reader));
        EXPECT_EQ(reader.remaining(), data.size());
    }
}

TEST(VtReader, ReadsLengthPrefixedTextsWhole)
{
    VtReader reader(nullptr);
    load(reader, bytes("03 00 61 00 62 02 78 79 7A"));
    std::string text;
    ASSERT_TRUE(reader.readString(text, "value"));
    EXPECT_EQ(text, std::string("a\0b", 3));
    ASSERT_TRUE(reader.readStringL1(text, "value"));
    EXPECT_EQ(text, "xy");
    ASSERT_TRUE(reader.readString(text, 1, "value"));
    EXPECT_EQ(text, "z");
}

TEST(VtReader, ReadsListsWholeOrLeavesThemAsTheyWere)
{
    VtReader reader(nullptr);
    load(reader, bytes("0A 00 FF FF 05 00"));
    VtObjectRefList childs;
    ASSERT_TRUE(reader.readObjectRefList(childs, 1, "childs"));
    ASSERT_EQ(childs.count(), 1u);
    EXPECT_EQ(childs.at(0)->oid, 10);
    EXPECT_EQ(childs.at(0)->x, -1);
    EXPECT_EQ(childs.at(0)->y, 5);

    load(reader, bytes("01 00 02 00 03 00"));
    EXPECT_FALSE(reader.readObjectRefList(childs, 2, "childs"));
    EXPECT_EQ(childs.count(), 1u);
    EXPECT_EQ(reader.remaining(), 6u);

    VtObjectList keys;
    ASSERT_TRUE(reader.readObjectList(keys, 3, "childs"));
    ASSERT_EQ(keys.count(), 3u);
    EXPECT_EQ(keys.at(2)->oid, 3);
    load(reader, bytes(""));
    ASSERT_TRUE(reader.readObjectList(keys, 0, "childs"));
    EXPECT_EQ(keys.count(), 0u);

    load(reader, bytes("05 60 06 61"));
    VtMacroList small(1);
    EXPECT_FALSE(reader.readMacroList(small, 2, "macros"));
    VtMacroList macros(2);
    ASSERT_TRUE(reader.readMacroList(macros, 2, "macros"));
    EXPECT_EQ(macros.at(1)->event_id, 6);
    EXPECT_EQ(macros.at(1)->macro_id, 0x61);
}

// A count taken from a peer's record sizes nothing before the entries are there.
TEST(VtReader, AHugeCountAllocatesNothing)
{
    VtReader reader(nullptr);
    load(reader, bytes("01 02 03 04"));
    VtObjectList keys;
    Bytes data;
    EXPECT_FALSE(reader.readObjectList(keys, 0xFFFFFFFF, "childs"));
    EXPECT_FALSE(reader.readData(data, 0xFFFFFFFF, "raw_data"));
    EXPECT_EQ(keys.capacity(), 0u);
    EXPECT_EQ(reader.remaining(), 4u);
}

TEST(VtReader, RewindReturnsToTheMarkOnce)
{
    VtReader reader(nullptr);
    load(reader, bytes("01 02 03"));
    uint8_t byte = 0;
    reader.readByte(byte, "b");
    reader.rewind();
    EXPECT_EQ(reader.remaining(), 2u);
    reader.mark();
    reader.readByte(byte, "b");
    reader.readByte(byte, "b");
    reader.rewind();
    EXPECT_EQ(reader.remaining(), 2u);
    reader.readByte(byte, "b");
    reader.rewind();
    EXPECT_EQ(reader.remaining(), 1u);
    EXPECT_TRUE(reader.readByte(byte, "b"));
    EXPECT_EQ(byte, 3);
}

TEST(VtReader, TracesOnlyWithVerboseLoggerAndName)
{
    Keeping_logger logger;
    const Bytes data = bytes("07 00 0A 00 FF FF 05 00");
    VtReader quiet(&logger);
    load(quiet, data);
    uint16_t oid;
    quiet.readOid(oid, "oid");
    EXPECT_EQ(logger.lines, "");

    VtReader verbose(&logger);
    verbose.setVerbose(true);
    load(verbose, data);
    verbose.readOid(oid, nullptr);
    EXPECT_EQ(logger.lines, "");
    VtObjectRefList childs;
    verbose.readObjectRefList(childs, 1, "childs");
    EXPECT_EQ(logger.lines, "  readObjectRefList #0, 'childs' -> oid=10, x=-1, y=5\n\n");
}
