#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"
#include "vt_pool/model/VtColour.h"

#include <cstdint>

// An Input Number (type 9): a number the operator edits, shown scaled
// and offset.
class VtObjectInputFieldNumber : public VtObject {
public:
    explicit VtObjectInputFieldNumber(uint16_t oid);
    void setSize(VtSize size) override { this->size = size; }
    VtSize getSize() const override { return size; }

    uint32_t getWidth() const { return size.width; }
    uint32_t getHeight() const { return size.height; }
    uint16_t getFontAttributes() const { return font_attributes.get(); }
    uint8_t getOptions() const { return options; }
    uint16_t getVariableReference() const { return variable_reference.get(); }
    uint32_t getValue() const { return value; }
    uint32_t getMinValue() const { return min_value; }
    uint32_t getMaxValue() const { return max_value; }
    int32_t getOffset() const { return offset; }
    double getScale() const { return scale; }
    uint8_t getNumberOfDecimals() const { return number_of_decimals; }
    bool getFormat() const { return format; }
    uint8_t getHorizontalJustification() const { return horizontal_justification; }
    bool getEnabled() const { return enabled; }
    void setWidth(uint32_t width) { size.width = width; }
    void setHeight(uint32_t height) { size.height = height; }
    // Also aims the reference's observer at the new object.
    void setFontAttributes(uint16_t oid) { font_attributes.retarget(oid); }
    // Also aims the reference's observer at the new object.
    void setVariableReference(uint16_t oid) { variable_reference.retarget(oid); }
    void setEnabled(bool enabled) { this->enabled = enabled; }
    void setValue(uint32_t value) { this->value = value; }
    void setOptions(uint8_t options) { this->options = options; }
    void setMinValue(uint32_t min_value) { this->min_value = min_value; }
    void setMaxValue(uint32_t max_value) { this->max_value = max_value; }
    void setHorizontalJustification(uint8_t horizontal_justification) { this->horizontal_justification = horizontal_justification; }
    void setOffset(int32_t offset) { this->offset = offset; }
    void setScale(double scale) { this->scale = scale; }
    void setNumberOfDecimals(uint8_t number_of_decimals) { this->number_of_decimals = number_of_decimals; }
    void setFormat(bool format) { this->format = format; }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtSize size;
    VtColour background_colour;
    VtReference font_attributes{*this};
    uint8_t options = 0;
    VtReference variable_reference{*this};
    uint32_t value = 0;
    uint32_t min_value = 0;
    uint32_t max_value = 0;
    int32_t offset = 0;
    double scale = 1.0;
    uint8_t number_of_decimals = 0;
    bool format = false;
    uint8_t horizontal_justification = 0;
    bool enabled = false;
};
