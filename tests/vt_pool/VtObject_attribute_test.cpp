// Changing one attribute of an object by attribute ID.
#include "tests/vt_pool/Vt_bytes.h"
#include "tests/vt_pool/Vt_record_cases.h"
#include "vt_pool/VtObjectPictureGraphic.h"
#include "vt_pool/createVtObject.h"

#include <gtest/gtest.h>

namespace {

// An attribute ID of a type, the bytes it reads and the record field it
// changes (-1: none), with the field's bytes afterwards (null: as read).
struct Attribute_case {
    uint32_t type;
    uint8_t aid;
    const char* value;
    int field;
    const char* after;
};

#define W "50 00", 0, "50 00 00 00"
#define H "14 00", 0, "00 00 14 00"
#define S "50 00 14 00", 0, nullptr

const Attribute_case attribute_cases[] = {
    {0, 100, "0C", 0, nullptr},
    {1, 1, "05", 0, nullptr}, {1, 100, "05", 0, nullptr}, {1, 2, "D0 07", 1, nullptr},
    {2, 1, "05", 0, nullptr}, {2, 100, "05", 0, nullptr}, {2, 2, "D1 07", 1, nullptr}, {2, 3, "01", 2, nullptr},
    {2, 4, "02", 3, nullptr},
    {4, 1, "08", 0, nullptr}, {4, 100, "08", 0, nullptr},
    {5, 1, "09", 0, nullptr}, {5, 100, "09", 0, nullptr}, {5, 2, "18", 1, nullptr},
    {6, 1, W}, {6, 2, H}, {6, 3, "02", 1, nullptr}, {6, 100, "02", 1, nullptr}, {6, 4, "08", 2, nullptr},
    {6, 5, "3A", 3, nullptr}, {6, 101, S},
    {7, 1, "01", 0, nullptr}, {7, 100, "01", 0, nullptr}, {7, 2, "10 00", 1, nullptr}, {7, 3, "20 4E", 2, nullptr},
    {7, 4, "21 4E", 3, nullptr},
    {8, 1, W}, {8, 2, H}, {8, 3, "01", 1, nullptr}, {8, 100, "01", 1, nullptr}, {8, 4, "22 4E", 2, nullptr},
    {8, 5, "23 4E", 3, nullptr}, {8, 6, "03", 4, nullptr}, {8, 7, "24 4E", 5, nullptr}, {8, 8, "02", 6, nullptr},
    {8, 101, S},
    {9, 1, W}, {9, 2, H}, {9, 3, "0C", 1, nullptr}, {9, 100, "0C", 1, nullptr}, {9, 4, "22 4E", 2, nullptr},
    {9, 5, "01", 3, nullptr}, {9, 6, "25 4E", 4, nullptr}, {9, 7, "0A 00 00 00", 6, nullptr},
    {9, 8, "0F 27 00 00", 7, nullptr}, {9, 9, "9C FF FF FF", 8, nullptr}, {9, 10, "CD CC CC 3D", 9, nullptr},
    {9, 11, "02", 10, nullptr}, {9, 12, "07", 11, "01"}, {9, 13, "02", 12, nullptr}, {9, 101, S},
    {10, 1, W}, {10, 2, H}, {10, 3, "26 4E", 1, nullptr}, {10, 101, S},
    {11, 1, W}, {11, 2, H}, {11, 3, "01", 1, nullptr}, {11, 100, "01", 1, nullptr}, {11, 4, "22 4E", 2, nullptr},
    {11, 5, "01", 3, nullptr}, {11, 6, "29 4E", 4, nullptr}, {11, 7, "01", 5, nullptr}, {11, 101, S},
    {12, 1, W}, {12, 2, H}, {12, 3, "01", 1, nullptr}, {12, 100, "01", 1, nullptr}, {12, 4, "22 4E", 2, nullptr},
    {12, 5, "05", 3, nullptr}, {12, 6, "2A 4E", 4, nullptr}, {12, 7, "F6 FF FF FF", 6, nullptr},
    {12, 8, "00 00 20 41", 7, nullptr}, {12, 9, "01", 8, nullptr}, {12, 10, "01", 9, nullptr},
    {12, 11, "02", 10, nullptr}, {12, 101, S},
    {13, 1, "2B 4E", 0, nullptr}, {13, 2, "28 00", 1, "28 00 00 00"}, {13, 3, "01 00", 1, "00 00 01 00"},
    {13, 4, "01", 2, nullptr}, {13, 101, "28 00 01 00", 1, nullptr},
    {14, 1, "2B 4E", 0, nullptr}, {14, 2, "28 00", 1, "28 00 00 00"}, {14, 3, "14 00", 1, "00 00 14 00"},
    {14, 4, "0F", 2, nullptr}, {14, 5, "2C 4E", 3, nullptr}, {14, 101, "28 00 14 00", 1, nullptr},
    {15, 1, "2B 4E", 0, nullptr}, {15, 2, "28 00", 1, "28 00 00 00"}, {15, 3, "14 00", 1, "00 00 14 00"},
    {15, 4, "02", 2, nullptr}, {15, 5, "10", 3, nullptr}, {15, 6, "5A", 4, nullptr}, {15, 7, "2C 4E", 5, nullptr},
    {15, 101, "28 00 14 00", 1, nullptr},
    {16, 1, W}, {16, 2, H}, {16, 3, "2B 4E", 1, nullptr}, {16, 4, "2C 4E", 2, nullptr}, {16, 5, "01", 3, nullptr},
    {16, 101, S},
    {17, 1, "40 00", 0, nullptr}, {17, 2, "0C", 1, nullptr}, {17, 3, "01", 2, nullptr}, {17, 4, "08", 3, nullptr},
    {17, 5, "0F", 4, nullptr}, {17, 6, "05", 5, nullptr}, {17, 7, "10", 6, nullptr}, {17, 8, "B4", 7, nullptr},
    {17, 9, "0A 00", 8, nullptr}, {17, 10, "E8 03", 9, nullptr}, {17, 11, "2D 4E", 10, nullptr},
    {17, 101, "40 00 50 00", 0, "40 00"},
    {18, 1, W}, {18, 2, H}, {18, 3, "02", 1, nullptr}, {18, 4, "0C", 2, nullptr}, {18, 5, "1B", 3, nullptr},
    {18, 6, "0A", 4, nullptr}, {18, 7, "05 00", 5, nullptr}, {18, 8, "64 00", 6, nullptr},
    {18, 9, "2F 4E", 9, nullptr}, {18, 10, "4B 00", 10, nullptr}, {18, 11, "2E 4E", 7, nullptr}, {18, 101, S},
    {19, 1, W}, {19, 2, H}, {19, 3, "02", 1, nullptr}, {19, 4, "0C", 2, nullptr}, {19, 5, "1B", 3, nullptr},
    {19, 6, "1E", 4, nullptr}, {19, 7, "96", 5, nullptr}, {19, 8, "08 00", 6, nullptr}, {19, 9, "05 00", 7, nullptr},
    {19, 10, "64 00", 8, nullptr}, {19, 11, "30 4E", 9, nullptr}, {19, 12, "31 4E", 11, nullptr},
    {19, 13, "4B 00", 12, nullptr},
    {20, 3, "01", 5, nullptr},
    {23, 1, "0C", 0, nullptr}, {23, 2, "03", 1, nullptr}, {23, 3, "01", 2, nullptr}, {23, 4, "02", 3, nullptr},
    {24, 1, "09", 0, nullptr}, {24, 2, "02", 1, nullptr}, {24, 3, "AA AA", 2, nullptr},
    {25, 1, "02", 0, nullptr}, {25, 2, "0E", 1, nullptr}, {25, 3, "32 4E", 2, nullptr},
    {29, 1, "", -1, nullptr}, {29, 2, "", -1, nullptr}, {29, 3, "", -1, nullptr}, {29, 4, "", -1, nullptr},
    {29, 5, "", -1, nullptr}, {29, 100, "0C", 0, nullptr},
    {30, 1, "", -1, nullptr}, {30, 2, "", -1, nullptr}, {30, 3, "", -1, nullptr}, {30, 4, "", -1, nullptr},
    {30, 5, "", -1, nullptr}, {30, 100, "0C", 0, nullptr},
};

#undef W
#undef H
#undef S

// The record of a new object of the type with one field changed.
Bytes record_with(uint32_t type, int field, const Bytes& value)
{
    const Record_case& record = record_cases()[type];
    Bytes out;
    for (int i = 0; i < int(record.fields.size()); ++i) {
        const Bytes part = i == field ? value : blank_field(record.fields[size_t(i)]);
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

Bytes record_of(VtObject& object)
{
    VtWriter writer(1000, nullptr);
    EXPECT_EQ(object.write(writer), 0);
    return written(writer);
}

std::string name_of(const Attribute_case& c)
{
    return std::string(VtObject::getTypeName(c.type)) + " attribute " + std::to_string(c.aid);
}

}

TEST(VtObjectAttribute, EachAttributeIdChangesItsFieldAndNothingElse)
{
    for (const Attribute_case& c : attribute_cases) {
        SCOPED_TRACE(name_of(c));
        auto object = createVtObject(c.type, 1);
        VtReader reader(nullptr);
        // The value and a byte after it, which stays.
        load(reader, bytes(std::string(c.value) + " EE"));
        EXPECT_EQ(object->setAttribute(c.aid, reader), 0);
        EXPECT_EQ(reader.remaining(), 1u);
        const Bytes after = bytes(c.after ? c.after : c.value);
        EXPECT_EQ(hex(record_of(*object)), hex(record_with(c.type, c.field, after)));
    }
}

TEST(VtObjectAttribute, AShortReaderLeavesTheAttributeAsItWas)
{
    for (const Attribute_case& c : attribute_cases) {
        const Bytes value = bytes(c.value);
        if (value.empty())
            continue;
        SCOPED_TRACE(name_of(c));
        auto object = createVtObject(c.type, 1);
        VtReader reader(nullptr);
        reader.setData(value.data(), uint32_t(value.size() - 1));
        EXPECT_EQ(object->setAttribute(c.aid, reader), 0);
        EXPECT_EQ(hex(record_of(*object)), hex(blank_record(record_cases()[c.type])));
    }
}

TEST(VtObjectAttribute, AnIdTheTypeLacksReadsNothing)
{
    struct {
        uint32_t type;
        uint8_t aid;
    } lacking[] = {{3, 3}, {9, 14}, {7, 101}, {19, 101}, {21, 1}, {22, 1}, {26, 1}, {27, 1}, {28, 1}, {0, 1}};
    auto check = [](uint32_t type, uint8_t aid) {
        SCOPED_TRACE(std::string(VtObject::getTypeName(type)) + " attribute " + std::to_string(aid));
        auto object = createVtObject(type, 1);
        VtReader reader(nullptr);
        load(reader, bytes("01 02 03 04"));
        EXPECT_EQ(object->setAttribute(aid, reader), 2);
        EXPECT_EQ(reader.remaining(), 4u);
        EXPECT_EQ(hex(record_of(*object)), hex(blank_record(record_cases()[type])));
    };
    for (const auto& c : lacking)
        check(c.type, c.aid);
    for (uint32_t type = 0; type <= 30; ++type)
        check(type, 0);
}

TEST(VtObjectAttribute, APicturesWidthKeepsItsProportionsAndItsOptionsKeepTheDataBits)
{
    VtObjectPictureGraphic picture(1);
    VtReader reader(nullptr);
    // Shown 10 wide of 100 x 50, options 0x0D (bits 2 and 3 describe the data).
    load(reader, bytes("0A 00 64 00 32 00 02 0D 00 00 00 00 00 00"));
    ASSERT_EQ(picture.read(reader), 0);
    EXPECT_EQ(picture.getHeight(), 5u);

    load(reader, bytes("28 00"));
    EXPECT_EQ(picture.setAttribute(1, reader), 0);
    EXPECT_EQ(picture.getWidth(), 40u);
    EXPECT_EQ(picture.getHeight(), 20u);

    load(reader, bytes("F2"));
    EXPECT_EQ(picture.setAttribute(2, reader), 0);
    EXPECT_EQ(picture.getOptions(), 0x0E);

    load(reader, bytes("28"));
    EXPECT_EQ(picture.setAttribute(1, reader), 0);
    EXPECT_EQ(picture.getWidth(), 40u);
    EXPECT_EQ(picture.setAttribute(4, reader), 2);
}
