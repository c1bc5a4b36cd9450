#include "vt_pool/VtObjectRectangle.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "line_attributes"},
    {2, "width"},
    {3, "height"},
    {4, "line_suppression"},
    {5, "fill_attributes"},
    {101, "size"},
};

}

VtObjectRectangle::VtObjectRectangle(uint16_t oid) : VtObject(oid, 14) {}

void VtObjectRectangle::walk(VtFieldWalker& fields)
{
    fields.reference("line_attributes", line_attributes);
    fields.size("size", size);
    fields.u8("line_suppression", line_suppression);
    fields.reference("fill_attributes", fill_attributes);
    fields.macroCount("n_macros");
    fields.macros("macros");
}

VtAttributeTable VtObjectRectangle::attributes() const
{
    return attribute_ids;
}
