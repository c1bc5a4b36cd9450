#pragma once
#include "vt_pool/VtBuilder.h"
#include "vt_pool/VtSize.h"

#include <array>
#include <cstdint>

struct Seeder_pool_ids;

// The layout every screen of the seeder's pool is cut from, computed once
// from the data mask size: row pitch, column widths, the sixteen fonts of
// the display's size class and the shared line and fill attributes.
struct Seeder_layout {
    explicit Seeder_layout(VtPool& pool) : pool(pool) {}

    VtSize size;            // (A, B): A is the vertical extent, B the horizontal
    uint32_t row_count = 4; // value rows under the title
    uint32_t height = 0;    // A
    uint32_t width = 0;     // B
    uint32_t band_height = 0;
    uint32_t row_pitch = 0;
    uint32_t fifth_width = 0;
    uint32_t half_width = 0;
    uint32_t quarter_width = 0;
    uint32_t spacing_a = 0;
    uint32_t spacing_b = 0;
    uint32_t spacing_c = 0;
    uint32_t inset = 0; // between a cell and its menu button
    uint32_t line_width = 0;
    VtPool& pool;
    VtObjectFillAttribute* fill_red = nullptr;
    VtObjectFillAttribute* fill_green = nullptr;
    VtObjectFillAttribute* fill_white = nullptr;
    VtObjectFillAttribute* fill_yellow = nullptr;
    // Slot 7 titles, 1 soft-key texts, 0 row labels, 2 measured values,
    // 14 menu-button texts.
    std::array<VtObjectFontAttribute*, 16> font{};
    VtObjectLineAttribute* line_thin = nullptr;
    VtObjectLineAttribute* line_sep = nullptr; // separators, line_width wide
    VtObjectLineAttribute* line_first = nullptr;
};

// Fills the layout for a data mask of that size and creates its shared
// objects in their fixed order; records the four fills in the table.
void computeLayout(Seeder_pool_ids& ids, Seeder_layout& layout, VtSize size);
