#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/model/VtColour.h"

#include <cstdint>

// Font Attributes (type 23): colour, size code, type and style of a text.
class VtObjectFontAttribute : public VtObject {
public:
    explicit VtObjectFontAttribute(uint16_t oid);

    uint8_t getFontSize() const { return font_size; }
    void setFontColour(const VtColour& colour) { font_colour = colour; }
    void setFontSize(uint8_t font_size) { this->font_size = font_size; }
    void setFontType(uint8_t font_type) { this->font_type = font_type; }
    void setFontStyle(uint8_t font_style) { this->font_style = font_style; }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtColour font_colour;
    uint8_t font_size = 0;
    uint8_t font_type = 0;
    uint8_t font_style = 0;
};
