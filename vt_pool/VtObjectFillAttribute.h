#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"
#include "vt_pool/model/VtColour.h"

#include <cstdint>

// Fill Attributes (type 25): how a shape is filled, with a colour or a
// picture.
class VtObjectFillAttribute : public VtObject {
public:
    explicit VtObjectFillAttribute(uint16_t oid);

    void setFillType(uint8_t fill_type) { this->fill_type = fill_type; }
    void setFillColour(const VtColour& colour) { fill_colour = colour; }
    void setFillPattern(uint16_t oid) { fill_pattern.set(oid); }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    uint8_t fill_type = 0;
    VtColour fill_colour;
    VtReference fill_pattern{*this};
};
