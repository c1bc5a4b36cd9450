#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/model/VtColour.h"

#include <cstdint>
#include <vector>

// A Picture Graphic (type 20): a bitmap shown at a width of its own; the
// height follows from the bitmap's proportions.
class VtObjectPictureGraphic : public VtObject {
public:
    explicit VtObjectPictureGraphic(uint16_t oid);

    int read(VtReader& reader) override;
    int setAttribute(uint8_t aid, VtReader& reader) override;
    // Keeps the width; the height follows from the bitmap's proportions.
    void setSize(VtSize size) override;
    VtSize getSize() const override { return size; }

    uint32_t getWidth() const { return size.width; }
    uint32_t getHeight() const { return size.height; }
    uint16_t getActualWidth() const { return actual_width; }
    uint16_t getActualHeight() const { return actual_height; }
    uint8_t getFormat() const { return format; }
    uint8_t getOptions() const { return options; }
    const VtColour& getTransparencyColour() const { return transparency_colour; }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;
    void deriveSize();

    VtSize size;
    uint16_t actual_width = 0;
    uint16_t actual_height = 0;
    uint8_t format = 0;
    uint8_t options = 0;
    VtColour transparency_colour;
    std::vector<uint8_t> raw_data;
};
