#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"
#include "vt_pool/model/VtObjectList.h"

#include <cstdint>

// An Input List (type 10): a choice among objects; after a read, each
// element links this list to the object it names.
class VtObjectInputFieldList : public VtObject {
public:
    explicit VtObjectInputFieldList(uint16_t oid);

    int read(VtReader& reader) override;
    void setSize(VtSize size) override { this->size = size; }
    VtSize getSize() const override { return size; }

    uint32_t getWidth() const { return size.width; }
    uint32_t getHeight() const { return size.height; }
    VtObjectList& getElements() { return elements; }
    void setWidth(uint32_t width) { size.width = width; }
    void setHeight(uint32_t height) { size.height = height; }
    // Also aims the reference's observer at the new object.
    void setVariableReference(uint16_t oid) { variable_reference.retarget(oid); }
    void setValue(uint8_t value) { this->value = value; }
    void setEnabled(bool enabled) { this->enabled = enabled; }
    // Appends an element naming that object.
    void addElement(uint16_t oid);

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtSize size;
    VtReference variable_reference{*this};
    uint8_t value = 0;
    VtObjectList elements;
    bool enabled = false;
};
