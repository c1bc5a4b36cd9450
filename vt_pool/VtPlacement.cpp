#include "vt_pool/VtPlacement.h"
#include "vt_pool/VtObjectWorkingSet.h"

#include <algorithm>

namespace {

template <class Parent>
void place(Parent* parent, int32_t x, int32_t y, const VtObject* object)
{
    if (parent && object)
        parent->getChilds().append(std::make_unique<VtObjectRef>(object->getOid(), x, y));
}

// A container cut into rows, all in signed 32 bits so that a child larger
// than its row gives a negative offset, not a wrapped one.
struct Rows {
    Rows(const VtObjectContainer& container, uint32_t rows)
        : cw(int32_t(container.getWidth())), ch(int32_t(container.getHeight())), rh(ch / int32_t(rows))
    {
    }
    // Where an object of height h sits centred in row `row`.
    int32_t centred_y(uint32_t row, int32_t h) const { return int32_t(row) * rh + (rh - h) / 2; }

    int32_t cw;
    int32_t ch;
    int32_t rh;
};

int32_t width_of(const VtObject* object)
{
    return int32_t(object->getSize().width);
}

int32_t height_of(const VtObject* object)
{
    return int32_t(object->getSize().height);
}

void resize(VtObject* object, int32_t width, int32_t height)
{
    object->setSize({uint32_t(width), uint32_t(height)});
}

int32_t cell_height(const VtObjectFontAttribute* font)
{
    uint32_t width = 0;
    uint32_t height = 0;
    VtObject::getFontSize(font ? font->getFontSize() : 0xFF, width, height);
    return int32_t(height);
}

// A label no wider than the row, centred in it.
VtObjectOutputFieldString* centred_label(VtPool& pool, const Rows& rows, const std::string& text,
                                         const VtObjectFontAttribute* font)
{
    VtObjectOutputFieldString* label = createLabel(pool, text, font, 2);
    resize(label, std::min(width_of(label), rows.cw), height_of(label));
    return label;
}

void place_in_band(VtPool& pool, VtObjectContainer* container, VtObject* element, uint32_t rows, uint32_t row,
                   uint32_t span, bool from_band_middle)
{
    if (!container || !element)
        return;
    const Rows size(*container, 1);
    const int32_t margin = int32_t(pool.margin_y);
    const int32_t rb = (size.ch - 2 * margin) / int32_t(rows);
    const int32_t h = int32_t(span) * rb - (from_band_middle ? 2 * margin : 0);
    resize(element, width_of(element), h);
    const int32_t x = (size.cw - width_of(element)) / 2;
    const int32_t top = margin + int32_t(row) * rb - int32_t(pool.band_offset);
    const int32_t y = from_band_middle ? top + rb / 2 - h / 2 : top + (rb - h) / 2;
    addToContainer(container, x, y, element);
}

}

void addToWorkingSet(VtPool& pool, int32_t x, int32_t y, VtObject* object)
{
    place(pool.getWorkingSet(), x, y, object);
}

void addToDataMask(VtObjectDataMask* mask, int32_t x, int32_t y, VtObject* object)
{
    place(mask, x, y, object);
}

void addToContainer(VtObjectContainer* container, int32_t x, int32_t y, VtObject* object)
{
    place(container, x, y, object);
}

void addToKey(VtObjectKey* key, int32_t x, int32_t y, VtObject* object)
{
    place(key, x, y, object);
}

void addToButton(VtObjectButton* button, int32_t x, int32_t y, VtObject* object)
{
    place(button, x, y, object);
}

void centreInButton(VtObjectButton* button, VtObject* object)
{
    if (!button || !object)
        return;
    addToButton(button, (int32_t(button->getWidth()) - width_of(object)) / 2,
                (int32_t(button->getHeight()) - height_of(object)) / 2, object);
}

VtObjectPointer* placePointerInRow(VtPool& pool, VtObjectContainer* container, uint16_t target, uint32_t rows,
                                   uint32_t row, int32_t dx, int32_t dy)
{
    if (!container)
        return nullptr;
    const Rows size(*container, rows);
    VtObjectPointer* pointer = createObjectPointer(pool);
    pointer->setValue(target);
    // No target yet (65535) shows nothing: it takes no room.
    const VtObject* shown = pool.get(target);
    const int32_t w = shown ? std::min(width_of(shown), size.cw) : 0;
    const int32_t h = shown ? height_of(shown) : 0;
    addToContainer(container, dx + size.cw - w, dy + 1 + size.centred_y(row, h), pointer);
    return pointer;
}

VtObjectOutputFieldString* placeLabelInRow(VtPool& pool, VtObjectContainer* container, const std::string& text,
                                           const VtObjectFontAttribute* font, uint32_t rows, uint32_t row)
{
    if (!container)
        return nullptr;
    const Rows size(*container, rows);
    VtObjectOutputFieldString* label = centred_label(pool, size, text, font);
    addToContainer(container, (size.cw - width_of(label)) / 2, size.centred_y(row, height_of(label)), label);
    return label;
}

VtObjectOutputFieldString* placeLabelInBox(VtPool& pool, VtObjectContainer* container, const std::string& text,
                                           VtObjectContainer* inner, const VtObjectFontAttribute* font,
                                           uint32_t rows, uint32_t row)
{
    if (!container || !inner)
        return nullptr;
    const Rows size(*container, rows);
    VtObjectOutputFieldString* label = centred_label(pool, size, text, font);
    inner->setSize(label->getSize());
    addToContainer(inner, 0, 0, label);
    addToContainer(container, (size.cw - width_of(label)) / 2, size.centred_y(row, height_of(label)), inner);
    return label;
}

VtObjectOutputFieldString* placeTextInRow(VtPool& pool, VtObjectContainer* container, const std::string& text,
                                          const VtObjectFontAttribute* font, uint32_t rows, uint32_t row,
                                          uint32_t lines)
{
    if (!container)
        return nullptr;
    const Rows size(*container, rows);
    VtObjectOutputFieldString* label = createLabel(pool, text, font, 0);
    resize(label, std::min(width_of(label), size.cw), std::min(height_of(label) * int32_t(lines), size.ch));
    addToContainer(container, 4, size.centred_y(row, height_of(label)), label);
    return label;
}

VtObjectOutputFieldString* placeTextBoxInRow(VtPool& pool, VtObjectContainer* container, const std::string& text,
                                             const VtObjectFontAttribute* font, uint32_t rows, uint32_t row)
{
    if (!container)
        return nullptr;
    const Rows size(*container, rows);
    VtObjectOutputFieldString* box = createTextBox(pool, text, font, uint32_t(size.cw), uint32_t(cell_height(font) + 4));
    box->setHorizontalJustification(2);
    addToContainer(container, (size.cw - width_of(box)) / 2, size.centred_y(row, height_of(box)), box);
    return box;
}

VtObjectOutputFieldNumber* placeNumberInRow(VtPool& pool, VtObjectContainer* container,
                                            const VtObjectFontAttribute* font, uint32_t rows, uint32_t row,
                                            int32_t dx, int32_t dy)
{
    if (!container)
        return nullptr;
    const Rows size(*container, rows);
    VtObjectOutputFieldNumber* field =
        createNumberField(pool, uint32_t(size.cw), uint32_t(cell_height(font) + 4), nullptr, font);
    addToContainer(container, dx + (size.cw - width_of(field)) / 2, dy + size.centred_y(row, height_of(field)), field);
    return field;
}

VtObjectOutputFieldNumber* placeNumberPointerInRow(VtPool& pool, VtObjectContainer* container,
                                                   VtObjectPointer* pointer, const VtObjectFontAttribute* font,
                                                   uint32_t rows, uint32_t row)
{
    if (!container || !pointer)
        return nullptr;
    const Rows size(*container, rows);
    VtObjectOutputFieldNumber* field =
        createNumberField(pool, uint32_t(size.cw), uint32_t(cell_height(font) + 4), nullptr, font);
    pointer->setValue(field->getOid());
    addToContainer(container, (size.cw - width_of(field)) / 2, size.centred_y(row, height_of(field)), pointer);
    return field;
}

VtObjectOutputFieldString* placeStringFieldInRow(VtPool& pool, VtObjectContainer* container, const VtObject* variable,
                                                 const VtObjectFontAttribute* font, uint32_t rows, uint32_t row)
{
    if (!container)
        return nullptr;
    const Rows size(*container, rows);
    VtObjectOutputFieldString* field =
        createStringField(pool, uint32_t(size.cw), uint32_t(cell_height(font) + 4), variable, font);
    addToContainer(container, (size.cw - width_of(field)) / 2, size.centred_y(row, height_of(field)), field);
    return field;
}

VtObjectInputFieldNumber* placeInputNumberInRow(VtPool& pool, VtObjectContainer* container, const VtObject* variable,
                                                const VtObjectFontAttribute* font, uint32_t rows, uint32_t row,
                                                int32_t dx, int32_t dy)
{
    if (!container)
        return nullptr;
    const Rows size(*container, rows);
    const int32_t mx = int32_t(pool.margin_x);
    const int32_t my = int32_t(pool.margin_y);
    VtObjectInputFieldNumber* input =
        createInputNumber(pool, uint32_t(size.cw - 2 * mx), uint32_t(size.rh - 2 * my), variable, font);
    const int32_t w = width_of(input);
    const int32_t h = height_of(input);
    addToContainer(container, mx + dx + (size.cw - w) / 2, dy - my + (size.rh - h) / 2 + int32_t(row) * size.rh, input);
    input->setOptions(1);
    input->setMinValue(0);
    input->setMaxValue(999);
    input->setOffset(0);
    input->setScale(1.0);
    input->setNumberOfDecimals(0);
    input->setFormat(false);
    input->setHorizontalJustification(2);
    input->setEnabled(true);
    return input;
}

VtObjectInputFieldList* placeInputListInRow(VtPool& pool, VtObjectContainer* container,
                                            const VtObjectFontAttribute* font, uint32_t rows, uint32_t row,
                                            const std::vector<std::string>& texts)
{
    if (!container)
        return nullptr;
    const Rows size(*container, rows);
    const int32_t mx = int32_t(pool.margin_x);
    const int32_t my = int32_t(pool.margin_y);
    VtObjectInputFieldList* list = createInputList(pool, uint32_t(size.cw - 2 * mx), uint32_t(size.rh - 2 * my), nullptr);
    const int32_t w = width_of(list);
    const int32_t h = height_of(list);
    addToContainer(container, mx + (size.cw - w) / 2, (size.rh - h) / 2 - my + int32_t(row) * size.rh, list);
    for (const std::string& text : texts)
        list->addElement(createTextBox(pool, text, font, uint32_t(w), uint32_t(h))->getOid());
    list->setEnabled(true);
    return list;
}

VtObjectInputFieldString* placeInputStringInRow(VtPool& pool, VtObjectContainer* container, const VtObject* variable,
                                                const VtObjectFontAttribute* font, uint32_t rows, uint32_t row)
{
    if (!container)
        return nullptr;
    const Rows size(*container, rows);
    const int32_t mx = int32_t(pool.margin_x);
    const int32_t my = int32_t(pool.margin_y);
    VtObjectInputFieldString* input =
        createInputString(pool, uint32_t(size.cw - 2 * mx), uint32_t(size.rh - 2 * my), variable, font);
    const int32_t w = width_of(input);
    const int32_t h = height_of(input);
    addToContainer(container, mx + (size.cw - w) / 2, (size.rh - h) / 2 - my + int32_t(row) * size.rh, input);
    input->setEnabled(true);
    return input;
}

void placeNumberSpanning(VtPool&, VtObjectContainer* container, VtObjectOutputFieldNumber* field, uint32_t rows,
                         uint32_t row, uint32_t span)
{
    if (!container || !field)
        return;
    const Rows size(*container, rows);
    const int32_t h = int32_t(span) * size.rh;
    resize(field, width_of(field), h);
    addToContainer(container, (size.cw - width_of(field)) / 2, size.rh / 2 + int32_t(row) * size.rh - h / 2, field);
}

void placeNumberInContainerSpanning(VtPool&, VtObjectContainer* container, VtObjectOutputFieldNumber* field,
                                    VtObjectContainer* inner, uint32_t rows, uint32_t row, uint32_t span)
{
    if (!container || !field || !inner)
        return;
    const Rows size(*container, rows);
    const int32_t h = int32_t(span) * size.rh;
    resize(field, width_of(field), h);
    inner->setSize(container->getSize());
    addToContainer(inner, 0, 0, field);
    addToContainer(container, (size.cw - width_of(field)) / 2, size.rh / 2 + int32_t(row) * size.rh - h / 2, inner);
}

VtObjectContainer* placeNumberOverInput(VtPool& pool, VtObjectContainer* container, VtObjectOutputFieldNumber* field,
                                        VtObjectInputFieldNumber* input, VtObject* other, uint32_t rows,
                                        uint32_t row, uint32_t span)
{
    if (!container || !field || !input)
        return nullptr;
    const Rows size(*container, rows);
    const int32_t h = int32_t(span) * size.rh;
    resize(field, width_of(field), h);
    resize(input, width_of(input), h - 7);
    if (other)
        addToContainer(container, (size.cw - width_of(input)) / 2,
                       size.rh / 2 + int32_t(row) * size.rh - height_of(input) / 2, other);
    VtObjectContainer* stack = createContainer(pool, 0, 0);
    stack->setHidden(true);
    addToContainer(stack, 0, 0, field);
    addToContainer(stack, 0, 0, input);
    addToContainer(container, 0, 0, stack);
    return stack;
}

void placeInputNumberInBand(VtPool& pool, VtObjectContainer* container, VtObjectInputFieldNumber* input,
                            uint32_t rows, uint32_t row, uint32_t span)
{
    place_in_band(pool, container, input, rows, row, span, true);
}

void placeInputListInBand(VtPool& pool, VtObjectContainer* container, VtObjectInputFieldList* list, uint32_t rows,
                          uint32_t row, uint32_t span)
{
    place_in_band(pool, container, list, rows, row, span, true);
}

void placeButtonInBand(VtPool& pool, VtObjectContainer* container, VtObjectButton* button, uint32_t rows,
                       uint32_t row, uint32_t span)
{
    place_in_band(pool, container, button, rows, row, span, false);
}
