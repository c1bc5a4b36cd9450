#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtPoint.h"
#include "vt_pool/VtReference.h"

#include <cstdint>
#include <vector>

// An Output Polygon (type 16) through its points.
class VtObjectPolygon : public VtObject {
public:
    explicit VtObjectPolygon(uint16_t oid);
    void setSize(VtSize size) override { this->size = size; }
    VtSize getSize() const override { return size; }

    uint16_t getLineAttributes() const { return line_attributes.get(); }
    uint16_t getFillAttributes() const { return fill_attributes.get(); }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtSize size;
    VtReference line_attributes{*this};
    VtReference fill_attributes{*this};
    uint8_t polygon_type = 0;
    std::vector<VtPoint> points;
};
