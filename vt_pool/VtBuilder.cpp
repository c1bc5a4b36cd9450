#include "vt_pool/VtBuilder.h"
#include "vt_pool/VtObjectWorkingSet.h"
#include "vt_pool/VtPlacement.h"
#include "vt_pool/model/VtColour.h"

namespace {

// Every ID nextOid hands out can be stored, so the pool keeps the object.
template <class Object>
Object* make(VtPool& pool)
{
    auto object = std::make_unique<Object>(pool.nextOid());
    Object* made = object.get();
    pool.add(std::move(object));
    return made;
}

uint16_t oid_of(const VtObject* object)
{
    return object ? object->getOid() : VtObject::no_object;
}

// An input or output field of that size showing the variable in the font.
template <class Field>
Field* make_field(VtPool& pool, uint32_t width, uint32_t height, const VtObject* variable,
                  const VtObjectFontAttribute* font)
{
    Field* field = make<Field>(pool);
    field->setSize({width, height});
    field->setVariableReference(oid_of(variable));
    field->setFontAttributes(oid_of(font));
    return field;
}

VtSize cell_of(const VtObjectFontAttribute* font)
{
    VtSize cell;
    VtObject::getFontSize(font ? font->getFontSize() : 0xFF, cell.width, cell.height);
    return cell;
}

}

VtObjectDataMask* createDataMask(VtPool& pool)
{
    VtObjectDataMask* mask = make<VtObjectDataMask>(pool);
    VtObjectWorkingSet* working_set = pool.getWorkingSet();
    if (working_set && working_set->getActiveMask() == VtObject::no_object)
        working_set->setActiveMask(mask->getOid());
    pool.setCurrentMask(mask);
    return mask;
}

VtObjectPointer* createObjectPointer(VtPool& pool)
{
    return make<VtObjectPointer>(pool);
}

VtObjectContainer* createContainer(VtPool& pool, uint32_t width, uint32_t height)
{
    VtObjectContainer* container = make<VtObjectContainer>(pool);
    container->setSize({width, height});
    return container;
}

VtObjectContainer* createContainerLike(VtPool& pool, const VtObjectContainer& container)
{
    return createContainer(pool, container.getWidth(), container.getHeight());
}

VtObjectOutputFieldString* createLabel(VtPool& pool, const std::string& text, const VtObjectFontAttribute* font,
                                       uint8_t justification)
{
    const VtSize cell = cell_of(font);
    VtObjectOutputFieldString* label = make<VtObjectOutputFieldString>(pool);
    label->setValue(text);
    label->setSize({cell.width * uint32_t(text.size()), cell.height + 1});
    label->setOptions(1);
    label->setFontAttributes(oid_of(font));
    label->setHorizontalJustification(justification);
    return label;
}

VtObjectOutputFieldString* createTextBox(VtPool& pool, const std::string& text, const VtObjectFontAttribute* font,
                                         uint32_t width, uint32_t height)
{
    VtObjectOutputFieldString* box = make<VtObjectOutputFieldString>(pool);
    box->setValue(text);
    box->setSize({width, height});
    box->setOptions(1);
    box->setFontAttributes(oid_of(font));
    box->setHorizontalJustification(1);
    return box;
}

VtObjectOutputFieldString* createStringField(VtPool& pool, uint32_t width, uint32_t height, const VtObject* variable,
                                             const VtObjectFontAttribute* font)
{
    auto* field = make_field<VtObjectOutputFieldString>(pool, width, height, variable, font);
    field->setOptions(1);
    field->setHorizontalJustification(0);
    return field;
}

VtObjectOutputFieldNumber* createNumberField(VtPool& pool, uint32_t width, uint32_t height, const VtObject* variable,
                                             const VtObjectFontAttribute* font)
{
    auto* field = make_field<VtObjectOutputFieldNumber>(pool, width, height, variable, font);
    field->setOptions(1);
    field->setHorizontalJustification(2);
    return field;
}

VtObjectInputFieldNumber* createInputNumber(VtPool& pool, uint32_t width, uint32_t height, const VtObject* variable,
                                            const VtObjectFontAttribute* font)
{
    return make_field<VtObjectInputFieldNumber>(pool, width, height, variable, font);
}

VtObjectInputFieldString* createInputString(VtPool& pool, uint32_t width, uint32_t height, const VtObject* variable,
                                            const VtObjectFontAttribute* font)
{
    return make_field<VtObjectInputFieldString>(pool, width, height, variable, font);
}

VtObjectInputFieldList* createInputList(VtPool& pool, uint32_t width, uint32_t height, const VtObject* variable)
{
    VtObjectInputFieldList* list = make<VtObjectInputFieldList>(pool);
    list->setSize({width, height});
    list->setVariableReference(oid_of(variable));
    return list;
}

VtObjectLine* createLine(VtPool& pool, uint32_t width, uint32_t height, const VtObjectLineAttribute* line)
{
    VtObjectLine* made = make<VtObjectLine>(pool);
    made->setSize({width, height});
    made->setLineAttributes(oid_of(line));
    return made;
}

VtObjectLine* createHorizontalLine(VtPool& pool, uint32_t width, const VtObjectLineAttribute* line)
{
    return createLine(pool, width, line ? line->getLineWidth() : 0, line);
}

VtObjectLine* createVerticalLine(VtPool& pool, uint32_t height, const VtObjectLineAttribute* line)
{
    return createLine(pool, line ? line->getLineWidth() : 0, height, line);
}

VtObjectRectangle* createRectangle(VtPool& pool, uint32_t width, uint32_t height, const VtObjectLineAttribute* line,
                                   const VtObjectFillAttribute* fill)
{
    VtObjectRectangle* rectangle = make<VtObjectRectangle>(pool);
    rectangle->setSize({width, height});
    rectangle->setLineAttributes(oid_of(line));
    rectangle->setFillAttributes(oid_of(fill));
    return rectangle;
}

VtObjectFillAttribute* createFillAttributes(VtPool& pool, uint32_t colour)
{
    VtObjectFillAttribute* fill = make<VtObjectFillAttribute>(pool);
    fill->setFillType(2);
    fill->setFillColour(VtColour(colour));
    return fill;
}

VtObjectFontAttribute* createFontAttributes(VtPool& pool, uint8_t size_code, uint32_t colour)
{
    VtObjectFontAttribute* font = make<VtObjectFontAttribute>(pool);
    font->setFontSize(size_code);
    font->setFontColour(VtColour(colour));
    return font;
}

VtObjectLineAttribute* createLineAttributes(VtPool& pool, uint32_t colour, uint8_t width)
{
    VtObjectLineAttribute* line = make<VtObjectLineAttribute>(pool);
    line->setLineColour(VtColour(colour));
    line->setLineWidth(width);
    return line;
}

VtObjectNumberVariable* createNumberVariable(VtPool& pool, uint32_t value)
{
    VtObjectNumberVariable* variable = make<VtObjectNumberVariable>(pool);
    variable->setValue(value);
    return variable;
}

VtObjectStringVariable* createStringVariable(VtPool& pool, const char* text)
{
    VtObjectStringVariable* variable = make<VtObjectStringVariable>(pool);
    if (text)
        variable->setValue(text);
    return variable;
}

VtObjectSoftKeyMask* createSoftKeyMask(VtPool& pool, uint32_t colour)
{
    VtObjectSoftKeyMask* mask = make<VtObjectSoftKeyMask>(pool);
    mask->setBackgroundColour(VtColour(colour));
    VtObjectDataMask* current = pool.getCurrentMask();
    if (current && current->getSoftKeyMask() == VtObject::no_object)
        current->setSoftKeyMask(mask->getOid());
    return mask;
}

VtObjectPointer* addSoftKeyPointer(VtPool& pool, VtObjectSoftKeyMask* mask)
{
    VtObjectPointer* pointer = createObjectPointer(pool);
    if (mask)
        mask->getChilds().append(std::make_unique<VtObjectListEntry>(pointer->getOid()));
    return pointer;
}

VtObjectKey* createKey(VtPool& pool, uint32_t colour, uint8_t key_code, const char* text1, const char* text2,
                       const VtObjectFontAttribute* font)
{
    VtObjectKey* key = make<VtObjectKey>(pool);
    key->setBackgroundColour(VtColour(colour));
    key->setKeyCode(key_code);
    if (!text1)
        return key;
    VtObjectOutputFieldString* first = createLabel(pool, text1, font, 1);
    addToKey(key, 5, 5, first);
    if (text2)
        addToKey(key, 5, int32_t(first->getHeight()) + 5, createLabel(pool, text2, font, 1));
    return key;
}

VtObjectKey* addKey(VtPool& pool, VtObjectSoftKeyMask* mask, uint32_t colour, uint8_t key_code, const char* text1,
                    const char* text2, const VtObjectFontAttribute* font)
{
    VtObjectKey* key = createKey(pool, colour, key_code, text1, text2, font);
    if (mask)
        mask->getChilds().append(std::make_unique<VtObjectListEntry>(key->getOid()));
    return key;
}

VtObjectButton* createButton(VtPool& pool, uint32_t width, uint32_t height, uint32_t colour, uint8_t key_code,
                             const char* text, const VtObjectFontAttribute* font)
{
    VtObjectButton* button = createButtonWith(pool, width, height, colour, key_code, nullptr);
    if (text)
        centreInButton(button, createLabel(pool, text, font, 2));
    return button;
}

VtObjectButton* createButtonWith(VtPool& pool, uint32_t width, uint32_t height, uint32_t colour, uint8_t key_code,
                                 VtObject* child)
{
    VtObjectButton* button = make<VtObjectButton>(pool);
    button->setSize({width, height});
    button->setBackgroundColour(VtColour(colour));
    button->setBorderColour(VtColour(8));
    button->setKeyCode(key_code);
    button->setLatchable(false);
    centreInButton(button, child);
    return button;
}

VtObjectContainer* createBoxedLabel(VtPool& pool, const std::string& text, const VtObjectFontAttribute* font,
                                    const VtObjectLineAttribute* line)
{
    VtObjectOutputFieldString* label = createLabel(pool, text, font, 1);
    const uint32_t width = label->getWidth() + 2;
    const uint32_t height = label->getHeight() + 2;
    VtObjectRectangle* frame = createRectangle(pool, width, height, line, nullptr);
    VtObjectContainer* box = createContainer(pool, width, height);
    addToContainer(box, 0, 0, frame);
    addToContainer(box, 1, 1, label);
    return box;
}
