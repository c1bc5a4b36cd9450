#pragma once
#include <cstdint>

namespace VT {

// One corner of a Polygon, relative to the polygon's top left corner.
struct Polygon_point {
    uint16_t x = 0;
    uint16_t y = 0;
};

}
