#pragma once
#include <cstdint>

// A width and a height in pixels (16 bits each on the wire).
struct VtSize {
    VtSize() = default;
    VtSize(uint32_t width, uint32_t height) : width(width), height(height) {}

    uint32_t width = 0;
    uint32_t height = 0;
};
