#pragma once
#include "vt_pool/Seeder_layout.h"

#include <array>
#include <cstdint>

// Up to ten containers cut from a mask or a row, in creation order.
struct Seeder_frame_list {
    static constexpr uint32_t limit = 10;

    // Null past the count.
    VtObjectContainer* at(uint32_t i) const { return i < count ? items[i] : nullptr; }

    std::array<VtObjectContainer*, limit> items{};
    uint32_t count = 0;
};

// The cells of a grid: row r, column c is cells[r * stride + c].
struct Seeder_grid_cells {
    std::array<VtObjectContainer*, 16> cells{};
    uint32_t stride = 4;
};

// Cuts the mask into full-width rows placed at x 0 and appends them to
// `rows`; a row past the tenth is placed but not listed. Mode 1: a top row,
// a band and row_count rows; mode 2: a top row and row_count rows of A / 5
// that overlap; any other mode makes nothing.
void createRows(Seeder_layout& layout, Seeder_frame_list& rows, int mode, VtObjectDataMask* mask);
// The frame most screens start with: a white data mask cut into rows by
// createRows, and the title, when given, centred in font slot 7 across the
// top row (cut into one column).
VtObjectDataMask* createTitledMask(Seeder_layout& layout, Seeder_frame_list& rows, int row_mode, const char* title);
// Cuts the parent into columns (modes 1 to 9), with separators between
// them except in mode 8; `columns` is emptied first.
void createColumns(Seeder_layout& layout, Seeder_frame_list& columns, int mode, VtObjectContainer* parent);
// createRows, then each of the first `row_count` rows under the top row cut
// into `column_count` cells (both at most 4) under a separator line.
void createGrid(Seeder_layout& layout, Seeder_frame_list& rows, Seeder_grid_cells& cells, int row_mode,
                uint32_t column_count, uint32_t row_count, VtObjectDataMask* mask);
// A white button filling the cell less the inset, with one or two lines of
// font slot 14; nothing (null) without text1.
VtObjectButton* createMenuButton(Seeder_layout& layout, VtObjectContainer* cell, uint8_t key_code, const char* text1,
                                 const char* text2 = nullptr);
// As createMenuButton with two ready objects instead of the texts.
VtObjectButton* createMenuButtonWith(Seeder_layout& layout, VtObjectContainer* cell, uint8_t key_code,
                                     VtObject* object1, VtObject* object2);
