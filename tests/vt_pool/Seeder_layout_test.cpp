// The layout of the seeder's screens at the three size classes, and the
// frame builders that cut masks into rows, rows into columns and cells.
#include "vt_pool/Seeder_frame.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct Laid_out {
    explicit Laid_out(uint32_t side) { computeLayout(*ids, layout, VtSize(side, side)); }

    VtPool pool;
    Seeder_layout layout{pool};
    std::unique_ptr<Seeder_pool_ids> ids = std::make_unique<Seeder_pool_ids>();
};

struct Box {
    int32_t y;
    uint32_t height;
};

bool operator==(const Box& a, const Box& b)
{
    return a.y == b.y && a.height == b.height;
}

std::ostream& operator<<(std::ostream& out, const Box& b)
{
    return out << "y " << b.y << " h " << b.height;
}

// Each row's place in the mask, in the order listed.
std::vector<Box> boxes(VtObjectDataMask& mask, const Seeder_frame_list& rows)
{
    std::vector<Box> all;
    for (uint32_t i = 0; i < rows.count; ++i) {
        const VtObjectRef* place = mask.getChilds().at(i);
        EXPECT_EQ(place->oid, rows.at(i)->getOid());
        EXPECT_EQ(place->x, 0);
        all.push_back({place->y, rows.at(i)->getHeight()});
    }
    return all;
}

TEST(Seeder_layout, each_size_class_has_its_pitch_band_fonts_and_line_width)
{
    const struct {
        uint32_t side;
        uint32_t row_pitch;
        uint32_t band_height;
        uint32_t spacing;
        uint32_t line_width;
        uint8_t title_font;  // slot 7
        uint8_t label_font;  // slot 0
        uint8_t menu_font;   // slot 14
        uint8_t large_value; // slot 9
    } cases[] = {
        {240, 44, 10, 10, 1, 2, 0, 0, 2},
        {319, 59, 10, 10, 1, 2, 0, 0, 2},
        {320, 60, 20, 20, 1, 3, 1, 2, 3},
        {479, 91, 20, 20, 1, 3, 1, 2, 3},
        {480, 92, 20, 20, 2, 5, 3, 3, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.side);
        Laid_out laid(c.side);
        const Seeder_layout& l = laid.layout;
        EXPECT_EQ(l.height, c.side);
        EXPECT_EQ(l.width, c.side);
        EXPECT_EQ(l.row_count, 4u);
        EXPECT_EQ(l.row_pitch, c.row_pitch);
        EXPECT_EQ(l.band_height, c.band_height);
        EXPECT_EQ(l.spacing_a, c.spacing);
        EXPECT_EQ(l.spacing_b, 2u);
        EXPECT_EQ(l.spacing_c, c.spacing);
        EXPECT_EQ(l.inset, 3u);
        EXPECT_EQ(l.fifth_width, c.side / 5);
        EXPECT_EQ(l.half_width, c.side / 2);
        EXPECT_EQ(l.quarter_width, c.side / 4);
        EXPECT_EQ(l.line_width, c.line_width);
        EXPECT_EQ(l.line_sep->getLineWidth(), c.line_width);
        EXPECT_EQ(l.line_thin->getLineWidth(), 1);
        EXPECT_EQ(l.font[7]->getFontSize(), c.title_font);
        EXPECT_EQ(l.font[0]->getFontSize(), c.label_font);
        EXPECT_EQ(l.font[14]->getFontSize(), c.menu_font);
        EXPECT_EQ(l.font[9]->getFontSize(), c.large_value);
    }
}

TEST(Seeder_layout, shared_objects_take_fixed_ids_and_the_fills_are_recorded_in_entries_46_to_49)
{
    Laid_out laid(240);
    const Seeder_layout& l = laid.layout;
    EXPECT_EQ(l.line_first->getOid(), 10001);
    const std::vector<Seeder_pool_entry> entries = laid.ids->entries();
    const VtObjectFillAttribute* fills[] = {l.fill_red, l.fill_green, l.fill_white, l.fill_yellow};
    for (uint16_t i = 0; i < 4; ++i) {
        EXPECT_EQ(fills[i]->getOid(), 10002 + i);
        EXPECT_EQ(entries[46 + i].oid, 10002 + i);
        EXPECT_EQ(entries[46 + i].type, 25);
    }
    const int slot_by_id[16] = {0, 1, 2, 3, 4, 5, 6, 12, 7, 8, 9, 10, 11, 13, 14, 15};
    for (uint16_t i = 0; i < 16; ++i)
        EXPECT_EQ(l.font[slot_by_id[i]]->getOid(), 10006 + i) << "slot " << slot_by_id[i];
    EXPECT_EQ(l.line_thin->getOid(), 10022);
    EXPECT_EQ(l.line_sep->getOid(), 10023);
}

TEST(Seeder_frame, rows_of_mode_1_and_2_tile_the_mask)
{
    const struct {
        uint32_t side;
        int mode;
        std::vector<Box> rows;
    } cases[] = {
        {240, 1, {{0, 44}, {44, 10}, {54, 44}, {98, 44}, {142, 44}, {186, 44}}},
        {320, 1, {{0, 60}, {60, 20}, {80, 60}, {140, 60}, {200, 60}, {260, 60}}},
        {480, 1, {{0, 92}, {92, 20}, {112, 92}, {204, 92}, {296, 92}, {388, 92}}},
        {240, 2, {{0, 48}, {44, 48}, {88, 48}, {132, 48}, {176, 48}}},
        {240, 3, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.side) + " mode " + std::to_string(c.mode));
        Laid_out laid(c.side);
        VtObjectDataMask* mask = createDataMask(laid.pool);
        Seeder_frame_list rows;
        createRows(laid.layout, rows, c.mode, mask);
        EXPECT_EQ(mask->getChilds().count(), c.rows.size());
        EXPECT_EQ(boxes(*mask, rows), c.rows);
        for (uint32_t i = 0; i < rows.count; ++i)
            EXPECT_EQ(rows.at(i)->getWidth(), c.side);
    }
}

TEST(Seeder_frame, an_eleventh_row_is_made_and_placed_but_not_listed)
{
    Laid_out laid(240);
    VtObjectDataMask* mask = createDataMask(laid.pool);
    Seeder_frame_list rows;
    createRows(laid.layout, rows, 1, mask);
    createRows(laid.layout, rows, 1, mask);
    EXPECT_EQ(mask->getChilds().count(), 12u);
    EXPECT_EQ(rows.count, 10u);
    EXPECT_EQ(rows.at(9)->getOid(), mask->getChilds().at(9)->oid);
    EXPECT_EQ(rows.at(10), nullptr);
}

TEST(Seeder_frame, columns_of_each_mode_at_240)
{
    const struct {
        int mode;
        std::vector<int32_t> x;
        std::vector<uint32_t> widths;
        std::vector<int32_t> separators;
    } cases[] = {
        {1, {0, 48, 96, 144, 192}, {47, 47, 47, 47, 47}, {47, 95, 143, 191}},
        {2, {0, 48}, {47, 191}, {47}},
        {3, {0, 120, 180}, {119, 59, 59}, {119, 179}},
        {4, {0, 48, 144}, {47, 95, 95}, {47, 143}},
        {5, {0}, {239}, {}},
        {6, {0, 60, 120, 180}, {59, 59, 59, 59}, {59, 119, 179}},
        {7, {0, 120}, {119, 119}, {119}},
        {8, {0, 120}, {119, 119}, {}},
        {9, {0, 80, 160}, {79, 79, 79}, {79, 159}},
        {0, {}, {}, {}},
        {10, {}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        Laid_out laid(240);
        VtObjectContainer* parent = createContainer(laid.pool, 240, 48);
        Seeder_frame_list columns;
        columns.count = 3; // left from an earlier use
        createColumns(laid.layout, columns, c.mode, parent);
        ASSERT_EQ(columns.count, c.x.size());
        std::vector<int32_t> x;
        std::vector<uint32_t> widths;
        std::vector<int32_t> separators;
        VtObjectRefList& childs = parent->getChilds();
        for (uint32_t i = 0; i < childs.count(); ++i) {
            VtObject* child = laid.pool.get(childs.at(i)->oid);
            EXPECT_EQ(childs.at(i)->y, 0);
            EXPECT_EQ(child->getSize().height, 48u);
            if (child->getType() == 3) {
                EXPECT_EQ(columns.at(uint32_t(x.size())), child);
                x.push_back(childs.at(i)->x);
                widths.push_back(child->getSize().width);
            } else {
                EXPECT_EQ(child->getType(), 13u);
                separators.push_back(childs.at(i)->x);
            }
        }
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(widths, c.widths);
        EXPECT_EQ(separators, c.separators);
    }
}

TEST(Seeder_frame, the_last_column_of_three_ends_at_the_mask_edge)
{
    Laid_out laid(240);
    VtObjectContainer* parent = createContainer(laid.pool, 240, 48);
    Seeder_frame_list columns;
    createColumns(laid.layout, columns, 9, parent);
    const VtObjectRef* last = parent->getChilds().at(parent->getChilds().count() - 1);
    EXPECT_EQ(last->oid, columns.at(2)->getOid());
    EXPECT_EQ(last->x + int32_t(columns.at(2)->getWidth() + laid.layout.line_width), 240);
}

TEST(Seeder_frame, a_grid_cuts_the_rows_under_the_title_into_cells)
{
    const struct {
        uint32_t columns;
        uint32_t rows;
        uint32_t stride;
        uint32_t cells;
    } cases[] = {{2, 3, 2, 6}, {4, 4, 4, 16}, {5, 5, 4, 16}, {1, 2, 1, 2}, {3, 1, 3, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.columns) + " x " + std::to_string(c.rows));
        Laid_out laid(240);
        VtObjectDataMask* mask = createDataMask(laid.pool);
        Seeder_frame_list rows;
        Seeder_grid_cells cells;
        createGrid(laid.layout, rows, cells, 2, c.columns, c.rows, mask);
        EXPECT_EQ(rows.count, 5u);
        EXPECT_EQ(cells.stride, c.stride);
        for (uint32_t i = 0; i < 16; ++i)
            EXPECT_EQ(cells.cells[i] != nullptr, i < c.cells) << i;
        for (uint32_t r = 0; r < std::min(c.rows, 4u); ++r) {
            VtObjectRefList& in_row = rows.at(r + 1)->getChilds();
            // The cells of row r are the containers of row r + 1, then its separator line.
            EXPECT_EQ(in_row.at(0)->oid, cells.cells[r * cells.stride]->getOid());
            const VtObjectRef* line = in_row.at(in_row.count() - 1);
            EXPECT_EQ(line->x, 0);
            EXPECT_EQ(line->y, 0);
            EXPECT_EQ(laid.pool.get(line->oid)->getSize().width, 240u);
        }
        EXPECT_EQ(rows.at(0)->getChilds().count(), 0u);
    }
}

TEST(Seeder_frame, a_titled_mask_shows_its_title_centred_in_the_top_row)
{
    const struct {
        const char* title;
        int mode;
        uint32_t rows;
    } cases[] = {{"Fan Alarms", 2, 5}, {nullptr, 1, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title ? c.title : "none");
        Laid_out laid(240);
        Seeder_frame_list rows;
        VtObjectDataMask* mask = createTitledMask(laid.layout, rows, c.mode, c.title);
        EXPECT_EQ(laid.pool.getCurrentMask(), mask);
        EXPECT_EQ(rows.count, c.rows);
        VtObjectRefList& top = rows.at(0)->getChilds();
        if (!c.title) {
            EXPECT_EQ(top.count(), 0u);
            continue;
        }
        ASSERT_EQ(top.count(), 1u);
        auto* column = dynamic_cast<VtObjectContainer*>(laid.pool.get(top.at(0)->oid));
        ASSERT_NE(column, nullptr);
        EXPECT_EQ(column->getWidth(), 239u);
        ASSERT_EQ(column->getChilds().count(), 1u);
        auto* title = dynamic_cast<VtObjectOutputFieldString*>(laid.pool.get(column->getChilds().at(0)->oid));
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->getValue(), c.title);
        EXPECT_EQ(title->getFontAttributes(), laid.layout.font[7]->getOid());
        // "Fan Alarms" in 8 x 12 is 80 x 13, in a column 239 x 48.
        EXPECT_EQ(column->getChilds().at(0)->x, 79);
        EXPECT_EQ(column->getChilds().at(0)->y, 17);
    }
}

TEST(Seeder_frame, a_menu_button_fills_its_cell_less_the_inset)
{
    Laid_out laid(240);
    VtObjectContainer* cell = createContainer(laid.pool, 100, 50);
    VtObjectButton* one = createMenuButton(laid.layout, cell, 16, "Seeder");
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->getWidth(), 94u);
    EXPECT_EQ(one->getHeight(), 44u);
    EXPECT_EQ(one->getKeyCode(), 16);
    ASSERT_EQ(cell->getChilds().count(), 1u);
    EXPECT_EQ(cell->getChilds().at(0)->x, 3);
    EXPECT_EQ(cell->getChilds().at(0)->y, 3);
    // "Seeder" in slot 14 (6 x 8) is 36 x 9, centred.
    EXPECT_EQ(one->getChilds().at(0)->x, 29);
    EXPECT_EQ(one->getChilds().at(0)->y, 17);

    VtObjectContainer* other = createContainer(laid.pool, 100, 50);
    VtObjectButton* two = createMenuButton(laid.layout, other, 61, "Totals", "History");
    ASSERT_NE(two, nullptr);
    ASSERT_EQ(two->getChilds().count(), 2u);
    EXPECT_EQ(two->getChilds().at(0)->x, 29); // 36 x 9
    EXPECT_EQ(two->getChilds().at(0)->y, 8);
    EXPECT_EQ(two->getChilds().at(1)->x, 26); // 42 x 9
    EXPECT_EQ(two->getChilds().at(1)->y, 26);

    const uint16_t next = laid.pool.nextOid();
    VtObjectContainer* empty = createContainer(laid.pool, 100, 50);
    EXPECT_EQ(createMenuButton(laid.layout, empty, 17, nullptr, "Screen"), nullptr);
    EXPECT_EQ(empty->getChilds().count(), 0u);
    EXPECT_EQ(laid.pool.nextOid(), next + 2);
}

}
