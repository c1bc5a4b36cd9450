// Colours and the ISO 11783-6 standard palette.
#include "vt_pool/model/VtColour.h"

#include <gtest/gtest.h>

TEST(VtColour, APaletteIndexGivesItsRedGreenAndBlue)
{
    struct {
        uint32_t index, red, green, blue;
    } cases[] = {
        {0, 0, 0, 0},        {1, 255, 255, 255}, {2, 0, 153, 0},     {7, 204, 204, 204},
        {8, 153, 153, 153},  {9, 0, 0, 255},     {12, 255, 0, 0},    {14, 255, 255, 0},
        {15, 0, 0, 153},     {16, 0, 0, 0},      {17, 0, 0, 51},     {31, 0, 102, 153},
        {43, 0, 204, 153},   {46, 0, 255, 0},  {81, 51, 204, 255}, {153, 153, 204, 255},
        {215, 255, 153, 51}, {231, 255, 255, 255}, {232, 0, 0, 0},   {255, 0, 0, 0},
        {256, 0, 0, 0},      {300, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        const VtColour colour(c.index);
        EXPECT_EQ(colour.getIndex(), c.index);
        EXPECT_EQ(colour.getRed(), c.red);
        EXPECT_EQ(colour.getGreen(), c.green);
        EXPECT_EQ(colour.getBlue(), c.blue);
    }
}

TEST(VtColour, TheTableHoldsEachEntrysOwnIndex)
{
    for (uint32_t i = 0; i < 256; ++i)
        EXPECT_EQ(vtStandardPalette[i].index, i);
}

TEST(VtColour, ANewColourIsBlackAtIndexZero)
{
    const VtColour colour;
    EXPECT_EQ(colour.getIndex() + colour.getRed() + colour.getGreen() + colour.getBlue(), 0u);
}
