#include "vt_pool/screens/Seeder_screens.h"
#include "vt_pool/model/VtColour.h"

#include <algorithm>
#include <string>

namespace {

// The running screen writes a product's name (at most 19 characters) and
// its tank ("Tank1" to "Tank10", or "OFF"): the texts are built that long so
// that a VT takes them whole.
constexpr size_t name_length = 20;
constexpr size_t tank_length = 6;

std::string padded(std::string text, size_t length)
{
    text.resize(length, ' ');
    return text;
}

// A white button filling the cell less the inset, the name over the tank,
// centred together. The name wraps onto as many lines as it needs of those
// the button has room for above the tank line.
VtObjectButton* createProductButton(Seeder_layout& layout, VtObjectContainer* cell, uint8_t key_code,
                                    VtObjectOutputFieldString* name, VtObjectOutputFieldString* tank)
{
    if (!cell)
        return nullptr;
    const uint32_t width = cell->getWidth() - 2 * layout.inset;
    const uint32_t height = cell->getHeight() - 2 * layout.inset;
    VtObjectButton* button = createButtonWith(layout.pool, width, height, 1, key_code, nullptr);

    uint32_t char_width = 0;
    uint32_t char_height = 0;
    VtObject::getFontSize(layout.font[14]->getFontSize(), char_width, char_height);
    const uint32_t line = tank->getHeight();
    const uint32_t per_line = std::max<uint32_t>(1, width / char_width);
    const uint32_t wanted = uint32_t((name_length + per_line - 1) / per_line);
    const uint32_t room = std::max<uint32_t>(1, (height > line ? height - line : 0) / line);
    name->setSize({std::min(name->getWidth(), width), std::min(wanted, room) * line});
    name->setOptions(1 | 2); // transparent, wrapped
    tank->setWidth(std::min(tank->getWidth(), width));

    const int32_t top = (int32_t(height) - int32_t(name->getHeight() + line)) / 2;
    addToButton(button, (int32_t(width) - int32_t(name->getWidth())) / 2, top, name);
    addToButton(button, (int32_t(width) - int32_t(tank->getWidth())) / 2, top + int32_t(name->getHeight()), tank);
    addToContainer(cell, int32_t(layout.inset), int32_t(layout.inset), button);
    return button;
}

}

// The sixteen products, four a row, each button showing the product's name
// over its tank; the screen writes both lines.
void Seeder_screens::ProductSettingsMenu(Seeder_pool_ids& ids, Seeder_layout& layout)
{
    VtPool& pool = layout.pool;
    Product_settings_menu_ids& own = ids.product_settings_menu;
    VtObjectDataMask* mask = createDataMask(pool);
    own.mask.record(mask);
    mask->setBackgroundColour(VtColour(1));

    Seeder_frame_list rows;
    Seeder_grid_cells cells;
    createGrid(layout, rows, cells, 2, 4, 4, mask);
    Seeder_frame_list columns;
    createColumns(layout, columns, 5, rows.at(0));
    placeLabelInRow(pool, columns.at(0), "Product Settings Menu", layout.font[7], 1, 0);

    for (uint32_t p = 0; p < own.product_buttons.size(); ++p) {
        const std::string n = std::to_string(p + 1);
        VtObjectOutputFieldString* name = createLabel(pool, padded("PROD" + n, name_length), layout.font[14], 2);
        VtObjectOutputFieldString* tank = createLabel(pool, padded("Tank" + n, tank_length), layout.font[14], 2);
        own.product_buttons[p].record(createProductButton(layout, cells.cells[p], uint8_t(40 + p), name, tank));
        own.product_labels[p].record(name);
        own.tank_labels[p].record(tank);
    }

    VtObjectSoftKeyMask* keys = createSoftKeyMask(pool, 1);
    own.settings_key.record(addKey(pool, keys, 1, 14, "Settings", "Menu", layout.font[1]));
    own.main_key.record(addKey(pool, keys, 1, 17, "Main", "Screen", layout.font[1]));
    own.multi_cal_key.record(addKey(pool, keys, 1, 99, "Multi", "Cal", layout.font[1]));
}
