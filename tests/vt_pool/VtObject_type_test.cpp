// Object types: their names, font cells and sizes.
#include "vt_pool/VtObjectPictureGraphic.h"
#include "vt_pool/VtReader.h"
#include "vt_pool/createVtObject.h"

#include <gtest/gtest.h>

TEST(VtObjectType, EveryTypeIsMadeWithItsIdAndType)
{
    for (uint32_t type = 0; type <= 30; ++type) {
        auto object = createVtObject(type, 1234);
        ASSERT_TRUE(object);
        EXPECT_EQ(object->getType(), type);
        EXPECT_EQ(object->getOid(), 1234);
        EXPECT_EQ(object->isInputField(), type >= 7 && type <= 10);
        EXPECT_EQ(object->getMacroList(), nullptr);
        EXPECT_EQ(object->getMacroCount(), 0u);
        EXPECT_FALSE(object->hasDisplayElements());
    }
    EXPECT_FALSE(createVtObject(31, 1));
    EXPECT_FALSE(createVtObject(99, 1));
}

TEST(VtObjectType, TypeNames)
{
    struct {
        uint32_t type;
        const char* name;
    } cases[] = {
        {0, "VtObjectTypeWorkingSet"},       {7, "VtObjectTypeInputFieldBoolean"}, {20, "VtObjectTypePictureGraphic"},
        {27, "VtObjectTypePointer"},         {30, "VtObjectTypeAuxiliaryInput"},   {31, "UNKNOWN"},
        {99, "VtObjectTypeUnknown"},         {100, "UNKNOWN"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(VtObject::getTypeName(c.type), c.name) << c.type;
}

TEST(VtObjectType, FontSizeCodesGiveTheirCharacterCells)
{
    struct {
        uint32_t code, width, height;
    } cases[] = {{0, 6, 8}, {1, 8, 8}, {3, 12, 16}, {8, 32, 48}, {14, 128, 192}, {15, 8, 8}, {20, 8, 8}};
    for (const auto& c : cases) {
        uint32_t width = 0, height = 0;
        VtObject::getFontSize(c.code, width, height);
        EXPECT_EQ(width, c.width) << c.code;
        EXPECT_EQ(height, c.height) << c.code;
    }
}

TEST(VtObjectType, APictureKeepsItsProportions)
{
    struct {
        const char* what;
        uint16_t actual_width, actual_height;
        uint32_t shown, width, height;
    } cases[] = {
        {"smaller", 100, 50, 40, 40, 20},
        {"larger", 10, 3, 25, 25, 8},
        {"no actual width", 0, 50, 40, 0, 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        VtObjectPictureGraphic picture(1);
        const uint8_t record[] = {0,
                                  0,
                                  uint8_t(c.actual_width),
                                  uint8_t(c.actual_width >> 8),
                                  uint8_t(c.actual_height),
                                  uint8_t(c.actual_height >> 8),
                                  2,
                                  0,
                                  0,
                                  0,
                                  0,
                                  0,
                                  0,
                                  0};
        VtReader reader(nullptr);
        reader.setData(record, sizeof record);
        ASSERT_EQ(picture.read(reader), 0);
        picture.setSize(VtSize(c.shown, 999));
        EXPECT_EQ(picture.getWidth(), c.width);
        EXPECT_EQ(picture.getHeight(), c.height);
    }
}
