#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"
#include "vt_pool/model/VtColour.h"

#include <cstdint>

// An Output Number (type 12): a number shown scaled and offset, its
// own or a number variable's.
class VtObjectOutputFieldNumber : public VtObject {
public:
    explicit VtObjectOutputFieldNumber(uint16_t oid);
    void setSize(VtSize size) override { this->size = size; }
    VtSize getSize() const override { return size; }

    uint32_t getWidth() const { return size.width; }
    uint32_t getHeight() const { return size.height; }
    uint32_t getValue() const { return value; }
    void setWidth(uint32_t width) { size.width = width; }
    void setHeight(uint32_t height) { size.height = height; }
    void setValue(uint32_t value) { this->value = value; }
    // Also aims the reference's observer at the new object.
    void setFontAttributes(uint16_t oid) { font_attributes.retarget(oid); }
    void setOptions(uint8_t options) { this->options = options; }
    // Also aims the reference's observer at the new object.
    void setVariableReference(uint16_t oid) { variable_reference.retarget(oid); }
    void setOffset(int32_t offset) { this->offset = offset; }
    void setScale(double scale) { this->scale = scale; }
    void setNumberOfDecimals(uint8_t number_of_decimals) { this->number_of_decimals = number_of_decimals; }
    void setHorizontalJustification(uint8_t horizontal_justification) { this->horizontal_justification = horizontal_justification; }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtSize size;
    VtColour background_colour;
    VtReference font_attributes{*this};
    uint8_t options = 0;
    VtReference variable_reference{*this};
    uint32_t value = 0;
    int32_t offset = 0;
    double scale = 1.0;
    uint8_t number_of_decimals = 0;
    bool format = false;
    uint8_t horizontal_justification = 0;
};
