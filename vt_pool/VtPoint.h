#pragma once
#include <cstdint>

// A point of a polygon, relative to the polygon's top left corner.
struct VtPoint {
    uint16_t x = 0;
    uint16_t y = 0;
};
