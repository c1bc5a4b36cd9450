#include "vt_pool/VtObjectEllipse.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "line_attributes"},
    {2, "width"},
    {3, "height"},
    {4, "ellipse_type"},
    {5, "start_angle"},
    {6, "end_angle"},
    {7, "fill_attributes"},
    {101, "size"},
};

}

VtObjectEllipse::VtObjectEllipse(uint16_t oid) : VtObject(oid, 15) {}

void VtObjectEllipse::walk(VtFieldWalker& fields)
{
    fields.reference("line_attributes", line_attributes);
    fields.size("size", size);
    fields.u8("ellipse_type", ellipse_type);
    fields.u8("start_angle", start_angle);
    fields.u8("end_angle", end_angle);
    fields.reference("fill_attributes", fill_attributes);
    fields.macroCount("n_macros");
    fields.macros("macros");
}

VtAttributeTable VtObjectEllipse::attributes() const
{
    return attribute_ids;
}
