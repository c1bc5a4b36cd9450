#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"
#include "vt_pool/model/VtColour.h"

#include <cstdint>
#include <string>

// An Output String (type 11): a text shown, its own or a string
// variable's.
class VtObjectOutputFieldString : public VtObject {
public:
    explicit VtObjectOutputFieldString(uint16_t oid);
    void setSize(VtSize size) override { this->size = size; }
    VtSize getSize() const override { return size; }

    uint32_t getWidth() const { return size.width; }
    uint32_t getHeight() const { return size.height; }
    uint16_t getFontAttributes() const { return font_attributes.get(); }
    uint8_t getOptions() const { return options; }
    uint16_t getVariableReference() const { return variable_reference.get(); }
    uint8_t getHorizontalJustification() const { return horizontal_justification; }
    const std::string& getValue() const { return value; }
    void setWidth(uint32_t width) { size.width = width; }
    void setHeight(uint32_t height) { size.height = height; }
    // Also aims the reference's observer at the new object.
    void setFontAttributes(uint16_t oid) { font_attributes.retarget(oid); }
    void setOptions(uint8_t options) { this->options = options; }
    // Also aims the reference's observer at the new object.
    void setVariableReference(uint16_t oid) { variable_reference.retarget(oid); }
    void setHorizontalJustification(uint8_t horizontal_justification) { this->horizontal_justification = horizontal_justification; }
    void setValue(const std::string& text) { value = text; }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtSize size;
    VtColour background_colour;
    VtReference font_attributes{*this};
    uint8_t options = 0;
    VtReference variable_reference{*this};
    uint8_t horizontal_justification = 0;
    std::string value;
};
