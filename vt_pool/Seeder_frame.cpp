#include "vt_pool/Seeder_frame.h"
#include "vt_pool/VtPlacement.h"
#include "vt_pool/model/VtColour.h"

#include <algorithm>
#include <vector>

namespace {

void append(Seeder_frame_list& list, VtObjectContainer* container)
{
    if (list.count < Seeder_frame_list::limit)
        list.items[list.count++] = container;
}

VtObjectContainer* add_row(Seeder_layout& layout, Seeder_frame_list& rows, VtObjectDataMask* mask, uint32_t height,
                           uint32_t y)
{
    VtObjectContainer* row = createContainer(layout.pool, layout.width, height);
    addToDataMask(mask, 0, int32_t(y), row);
    append(rows, row);
    return row;
}

struct Column_mode {
    std::vector<uint32_t> widths;
    bool separators;
};

bool column_mode(const Seeder_layout& layout, int mode, Column_mode& columns)
{
    const uint32_t b = layout.width;
    switch (mode) {
    case 1:
        columns = {{b / 5, b / 5, b / 5, b / 5, b / 5}, true};
        return true;
    case 2:
        columns = {{b / 5, b - b / 5}, true};
        return true;
    case 3:
        columns = {{b / 2, b / 4, b / 4}, true};
        return true;
    case 4:
        columns = {{b / 5, 2 * (b / 5), 2 * (b / 5)}, true};
        return true;
    case 5:
        columns = {{b}, true};
        return true;
    case 6:
        columns = {{b / 4, b / 4, b / 4, b / 4}, true};
        return true;
    case 7:
        columns = {{b / 2, b / 2}, true};
        return true;
    case 8:
        columns = {{b / 2, b / 2}, false};
        return true;
    case 9:
        columns = {{b / 3, b / 3, b / 3}, true};
        return true;
    default:
        return false;
    }
}

// The grid's column mode for one to four columns.
int grid_column_mode(uint32_t columns)
{
    static const int modes[] = {0, 5, 7, 9, 6};
    return modes[columns];
}

}

void createRows(Seeder_layout& layout, Seeder_frame_list& rows, int mode, VtObjectDataMask* mask)
{
    if (mode == 1) {
        add_row(layout, rows, mask, layout.row_pitch, 0);
        add_row(layout, rows, mask, layout.band_height, layout.row_pitch);
        for (uint32_t k = 0; k < layout.row_count; ++k)
            add_row(layout, rows, mask, layout.row_pitch, layout.row_pitch + layout.band_height + k * layout.row_pitch);
    } else if (mode == 2) {
        const uint32_t height = layout.height / 5;
        add_row(layout, rows, mask, height, 0);
        for (uint32_t k = 1; k <= layout.row_count; ++k)
            add_row(layout, rows, mask, height, k * layout.row_pitch);
    }
}

VtObjectDataMask* createTitledMask(Seeder_layout& layout, Seeder_frame_list& rows, int row_mode, const char* title)
{
    VtObjectDataMask* mask = createDataMask(layout.pool);
    mask->setBackgroundColour(VtColour(1));
    createRows(layout, rows, row_mode, mask);
    if (title) {
        Seeder_frame_list columns;
        createColumns(layout, columns, 5, rows.at(0));
        placeLabelInRow(layout.pool, columns.at(0), title, layout.font[7], 1, 0);
    }
    return mask;
}

void createColumns(Seeder_layout& layout, Seeder_frame_list& columns, int mode, VtObjectContainer* parent)
{
    columns = Seeder_frame_list();
    Column_mode chosen;
    if (!parent || !column_mode(layout, mode, chosen))
        return;
    const uint32_t height = parent->getHeight();
    uint32_t x = 0;
    for (size_t i = 0; i < chosen.widths.size(); ++i) {
        const uint32_t width = chosen.widths[i];
        VtObjectContainer* column = createContainer(layout.pool, width - layout.line_width, height);
        append(columns, column);
        addToContainer(parent, int32_t(x), 0, column);
        if (chosen.separators && i + 1 < chosen.widths.size())
            addToContainer(parent, int32_t(x + width - layout.line_width), 0,
                           createVerticalLine(layout.pool, height, layout.line_sep));
        x += width;
    }
}

void createGrid(Seeder_layout& layout, Seeder_frame_list& rows, Seeder_grid_cells& cells, int row_mode,
                uint32_t column_count, uint32_t row_count, VtObjectDataMask* mask)
{
    column_count = std::min<uint32_t>(column_count, 4);
    row_count = std::min<uint32_t>(row_count, 4);
    const uint32_t first = rows.count;
    createRows(layout, rows, row_mode, mask);
    if (column_count != 4)
        cells.stride = column_count;
    for (uint32_t r = 0; r < row_count; ++r) {
        VtObjectContainer* row = rows.at(first + r + 1);
        if (!row)
            break;
        Seeder_frame_list columns;
        createColumns(layout, columns, grid_column_mode(column_count), row);
        for (uint32_t c = 0; c < columns.count; ++c)
            cells.cells[r * cells.stride + c] = columns.at(c);
        addToContainer(row, 0, 0, createHorizontalLine(layout.pool, layout.width, layout.line_sep));
    }
}

VtObjectButton* createMenuButton(Seeder_layout& layout, VtObjectContainer* cell, uint8_t key_code, const char* text1,
                                 const char* text2)
{
    if (!cell || !text1)
        return nullptr;
    const VtObjectFontAttribute* font = layout.font[14];
    if (text2) {
        VtObjectOutputFieldString* first = createLabel(layout.pool, text1, font, 2);
        VtObjectOutputFieldString* second = createLabel(layout.pool, text2, font, 2);
        return createMenuButtonWith(layout, cell, key_code, first, second);
    }
    VtObjectButton* button = createButton(layout.pool, cell->getWidth() - 2 * layout.inset,
                                          cell->getHeight() - 2 * layout.inset, 1, key_code, text1, font);
    addToContainer(cell, int32_t(layout.inset), int32_t(layout.inset), button);
    return button;
}

VtObjectButton* createMenuButtonWith(Seeder_layout& layout, VtObjectContainer* cell, uint8_t key_code,
                                     VtObject* object1, VtObject* object2)
{
    if (!cell || !object1)
        return nullptr;
    const uint32_t width = cell->getWidth() - 2 * layout.inset;
    const uint32_t height = cell->getHeight() - 2 * layout.inset;
    VtObjectButton* button = createButtonWith(layout.pool, width, height, 1, key_code, object2 ? nullptr : object1);
    if (object2) {
        const int32_t bw = int32_t(width);
        const int32_t bh = int32_t(height);
        const VtSize first = object1->getSize();
        const VtSize second = object2->getSize();
        const int32_t h1 = int32_t(first.height);
        addToButton(button, (bw - int32_t(first.width)) / 2, (bh - h1) / 2 - h1, object1);
        addToButton(button, (bw - int32_t(second.width)) / 2, (bh - h1) / 2 + int32_t(second.height), object2);
    }
    addToContainer(cell, int32_t(layout.inset), int32_t(layout.inset), button);
    return button;
}
