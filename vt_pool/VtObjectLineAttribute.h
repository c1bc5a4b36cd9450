#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/model/VtColour.h"

#include <cstdint>

// Line Attributes (type 24): colour, width and dash pattern of a line.
class VtObjectLineAttribute : public VtObject {
public:
    explicit VtObjectLineAttribute(uint16_t oid);

    uint8_t getLineWidth() const { return line_width; }
    void setLineColour(const VtColour& colour) { line_colour = colour; }
    void setLineWidth(uint8_t line_width) { this->line_width = line_width; }
    void setLineArt(uint16_t line_art) { this->line_art = line_art; }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtColour line_colour;
    uint8_t line_width = 0;
    uint16_t line_art = 0xFFFF;
};
