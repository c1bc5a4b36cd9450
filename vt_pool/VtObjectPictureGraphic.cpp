#include "vt_pool/VtObjectPictureGraphic.h"
#include "vt_pool/VtFieldWalker.h"
#include "vt_pool/VtReader.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {3, "transparency_colour"},
};

}

VtObjectPictureGraphic::VtObjectPictureGraphic(uint16_t oid) : VtObject(oid, 20) {}

void VtObjectPictureGraphic::walk(VtFieldWalker& fields)
{
    fields.width("width", size);
    fields.u16("actual_width", actual_width);
    fields.u16("actual_height", actual_height);
    fields.u8("format", format);
    fields.u8("options", options);
    fields.colour("transparency_colour", transparency_colour);
    fields.dataLength("n_raw_data", 4, raw_data);
    fields.macroCount("n_macros");
    fields.data("raw_data", raw_data);
    fields.macros("macros");
}

VtAttributeTable VtObjectPictureGraphic::attributes() const
{
    return attribute_ids;
}

int VtObjectPictureGraphic::read(VtReader& reader)
{
    const int result = VtObject::read(reader);
    deriveSize();
    return result;
}

int VtObjectPictureGraphic::setAttribute(uint8_t aid, VtReader& reader)
{
    if (aid == 1) {
        uint16_t width;
        if (reader.readUShort(width, "width"))
            setSize(VtSize(width, size.height));
        return 0;
    }
    if (aid == 2) {
        // The operator may change how the picture is drawn (bits 0 and 1),
        // not how its data is stored (bits 2 and 3).
        uint8_t value;
        if (reader.readByte(value, "options"))
            options = uint8_t((value & 0x03) | (options & 0x0C));
        return 0;
    }
    return VtObject::setAttribute(aid, reader);
}

void VtObjectPictureGraphic::setSize(VtSize size)
{
    this->size.width = size.width;
    deriveSize();
}

// Scaled by width / actual width (1 for a picture without data width).
void VtObjectPictureGraphic::deriveSize()
{
    const double ratio = actual_width ? double(size.width) / actual_width : 1.0;
    size = VtSize(uint32_t(0.5 + ratio * actual_width), uint32_t(0.5 + ratio * actual_height));
}
