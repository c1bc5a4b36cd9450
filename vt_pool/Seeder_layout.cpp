#include "vt_pool/Seeder_layout.h"
#include "vt_pool/Seeder_pool_ids.h"

namespace {

struct Font_slot {
    uint8_t size[3]; // font size code in the small, medium and large class
    uint32_t colour;
    bool bold;
};

constexpr uint32_t black = 0;
constexpr uint32_t white = 1;
constexpr uint32_t green = 2;
constexpr uint32_t blue = 9;
constexpr uint32_t red = 12;
constexpr uint32_t yellow = 14;

const Font_slot font_slots[16] = {
    {{0, 1, 3}, black, false}, {{2, 1, 3}, black, false}, {{2, 3, 5}, red, true},    {{1, 3, 3}, red, false},
    {{0, 3, 3}, red, false},   {{1, 2, 4}, black, false}, {{1, 2, 4}, black, true},   {{2, 3, 5}, black, true},
    {{2, 3, 5}, blue, true},   {{2, 3, 6}, red, true},    {{2, 3, 6}, black, false},  {{2, 3, 6}, red, true},
    {{0, 3, 5}, black, true},  {{1, 2, 3}, black, true},  {{0, 2, 3}, black, false},  {{0, 3, 3}, green, true},
};

// The fonts are made in this order, which fixes their object IDs.
const int font_creation_order[16] = {0, 1, 2, 3, 4, 5, 6, 12, 7, 8, 9, 10, 11, 13, 14, 15};

enum Size_class { small, medium, large };

Size_class size_class(uint32_t width)
{
    if (width >= 480)
        return large;
    return width >= 320 ? medium : small;
}

}

void computeLayout(Seeder_pool_ids& ids, Seeder_layout& layout, VtSize size)
{
    layout.size = size;
    layout.row_count = 4;
    // The pair's first value is the vertical extent A, its second the
    // horizontal B; the ISO data mask is square, so the two agree.
    layout.height = size.width;
    layout.width = size.height;
    layout.band_height = 20;
    layout.row_pitch = (layout.height - 20) / 5;
    layout.fifth_width = layout.width / 5;
    layout.half_width = layout.width / 2;
    layout.quarter_width = layout.width / 4;
    layout.spacing_a = 20;
    layout.spacing_b = 2;
    layout.spacing_c = 20;
    layout.inset = 3;

    VtPool& pool = layout.pool;
    layout.line_first = createLineAttributes(pool, black, 1);
    layout.fill_red = createFillAttributes(pool, red);
    layout.fill_green = createFillAttributes(pool, green);
    layout.fill_white = createFillAttributes(pool, white);
    layout.fill_yellow = createFillAttributes(pool, yellow);
    layout.line_width = 1;
    const Size_class chosen = size_class(layout.width);
    for (int slot : font_creation_order)
        layout.font[slot] = createFontAttributes(pool, font_slots[slot].size[chosen], font_slots[slot].colour);
    if (chosen == large)
        layout.line_width = 2;
    if (chosen == small) {
        layout.band_height /= 2;
        layout.spacing_a /= 2;
        layout.spacing_c /= 2;
    }
    for (int slot = 0; slot < 16; ++slot)
        layout.font[slot]->setFontStyle(font_slots[slot].bold ? 1 : 0);
    layout.line_thin = createLineAttributes(pool, black, 1);
    layout.line_sep = createLineAttributes(pool, black, uint8_t(layout.line_width));

    ids.main.fill_red.record(layout.fill_red);
    ids.main.fill_green.record(layout.fill_green);
    ids.main.fill_white.record(layout.fill_white);
    ids.main.fill_yellow.record(layout.fill_yellow);
}
