#pragma once
#include <array>
#include <cstdint>

// One entry of the ISO 11783-6 standard palette.
struct VtPaletteEntry {
    uint32_t index;
    uint32_t red;
    uint32_t green;
    uint32_t blue;
};

extern const std::array<VtPaletteEntry, 256> vtStandardPalette;

// A colour of a VT object: its palette index, with the red, green and blue
// of that index in the standard palette.
class VtColour {
public:
    VtColour() = default;
    explicit VtColour(uint32_t index) { setIndex(index); }

    // Keeps the index as given; an index past the palette is black.
    void setIndex(uint32_t index);
    uint32_t getIndex() const { return index; }
    uint32_t getRed() const { return red; }
    uint32_t getGreen() const { return green; }
    uint32_t getBlue() const { return blue; }

    static void lookupPalette(uint32_t index, uint32_t& red, uint32_t& green, uint32_t& blue);

private:
    uint32_t index = 0;
    uint32_t red = 0;
    uint32_t green = 0;
    uint32_t blue = 0;
};
