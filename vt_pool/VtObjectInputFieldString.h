#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"
#include "vt_pool/model/VtColour.h"

#include <cstdint>
#include <string>

// An Input String (type 8): a text the operator edits.
class VtObjectInputFieldString : public VtObject {
public:
    explicit VtObjectInputFieldString(uint16_t oid);
    void setSize(VtSize size) override { this->size = size; }
    VtSize getSize() const override { return size; }

    uint32_t getWidth() const { return size.width; }
    uint32_t getHeight() const { return size.height; }
    void setWidth(uint32_t width) { size.width = width; }
    void setHeight(uint32_t height) { size.height = height; }
    // Also aims the reference's observer at the new object.
    void setFontAttributes(uint16_t oid) { font_attributes.retarget(oid); }
    // Also aims the reference's observer at the new object.
    void setVariableReference(uint16_t oid) { variable_reference.retarget(oid); }
    void setValue(const std::string& text) { value = text; }
    void setEnabled(bool enabled) { this->enabled = enabled; }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtSize size;
    VtColour background_colour;
    VtReference font_attributes{*this};
    VtReference input_attributes{*this};
    uint8_t options = 0;
    VtReference variable_reference{*this};
    uint8_t horizontal_justification = 0;
    std::string value;
    bool enabled = false;
};
