#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"

#include <cstdint>

// An Output Rectangle (type 14), outlined and filled by its attributes.
class VtObjectRectangle : public VtObject {
public:
    explicit VtObjectRectangle(uint16_t oid);
    void setSize(VtSize size) override { this->size = size; }
    VtSize getSize() const override { return size; }

    uint32_t getWidth() const { return size.width; }
    uint32_t getHeight() const { return size.height; }
    uint16_t getLineAttributes() const { return line_attributes.get(); }
    uint8_t getLineSuppression() const { return line_suppression; }
    uint16_t getFillAttributes() const { return fill_attributes.get(); }
    void setWidth(uint32_t width) { size.width = width; }
    void setHeight(uint32_t height) { size.height = height; }
    void setLineSuppression(uint8_t line_suppression) { this->line_suppression = line_suppression; }
    // Also aims the reference's observer at the new object.
    void setLineAttributes(uint16_t oid) { line_attributes.retarget(oid); }
    // Also aims the reference's observer at the new object.
    void setFillAttributes(uint16_t oid) { fill_attributes.retarget(oid); }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtReference line_attributes{*this};
    VtSize size;
    uint8_t line_suppression = 0;
    VtReference fill_attributes{*this};
};
