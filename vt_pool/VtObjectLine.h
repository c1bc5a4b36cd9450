#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"

#include <cstdint>

// An Output Line (type 13) across its box, in the direction given.
class VtObjectLine : public VtObject {
public:
    explicit VtObjectLine(uint16_t oid);
    void setSize(VtSize size) override { this->size = size; }
    VtSize getSize() const override { return size; }

    uint16_t getLineAttributes() const { return line_attributes.get(); }
    void setWidth(uint32_t width) { size.width = width; }
    void setHeight(uint32_t height) { size.height = height; }
    void setLineDirection(uint8_t line_direction) { this->line_direction = line_direction; }
    // Also aims the reference's observer at the new object.
    void setLineAttributes(uint16_t oid) { line_attributes.retarget(oid); }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtReference line_attributes{*this};
    VtSize size;
    uint8_t line_direction = 0;
};
