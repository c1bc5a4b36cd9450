#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"

#include <cstdint>

// An Output Ellipse (type 15), whole or a segment, section or arc of it.
class VtObjectEllipse : public VtObject {
public:
    explicit VtObjectEllipse(uint16_t oid);
    void setSize(VtSize size) override { this->size = size; }
    VtSize getSize() const override { return size; }

    uint16_t getLineAttributes() const { return line_attributes.get(); }
    uint16_t getFillAttributes() const { return fill_attributes.get(); }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtReference line_attributes{*this};
    VtSize size;
    uint8_t ellipse_type = 0;
    uint8_t start_angle = 0;
    uint8_t end_angle = 0;
    VtReference fill_attributes{*this};
};
