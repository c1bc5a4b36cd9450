#include "vt_pool/model/VtColour.h"

#include <array>

namespace {

// The sixteen named colours, then a 6 x 6 x 6 cube from 16 to 231, then black.
constexpr std::array<VtPaletteEntry, 256> standard_palette()
{
    constexpr uint32_t named[16][3] = {
        {0, 0, 0},     {255, 255, 255}, {0, 153, 0},   {0, 153, 153}, {153, 0, 0},   {153, 0, 153},
        {153, 153, 0}, {204, 204, 204}, {153, 153, 153}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
        {255, 0, 0},   {255, 0, 255},   {255, 255, 0}, {0, 0, 153},
    };
    constexpr uint32_t level[6] = {0, 51, 102, 153, 204, 255};
    std::array<VtPaletteEntry, 256> palette{};
    for (uint32_t i = 0; i < 256; ++i) {
        palette[i].index = i;
        if (i < 16) {
            palette[i].red = named[i][0];
            palette[i].green = named[i][1];
            palette[i].blue = named[i][2];
        } else if (i < 232) {
            const uint32_t k = i - 16;
            palette[i].red = level[k / 36];
            palette[i].green = level[(k / 6) % 6];
            palette[i].blue = level[k % 6];
        }
    }
    return palette;
}

}

const std::array<VtPaletteEntry, 256> vtStandardPalette = standard_palette();

void VtColour::setIndex(uint32_t index)
{
    this->index = index;
    lookupPalette(index, red, green, blue);
}

void VtColour::lookupPalette(uint32_t index, uint32_t& red, uint32_t& green, uint32_t& blue)
{
    if (index >= vtStandardPalette.size()) {
        red = green = blue = 0;
        return;
    }
    red = vtStandardPalette[index].red;
    green = vtStandardPalette[index].green;
    blue = vtStandardPalette[index].blue;
}
