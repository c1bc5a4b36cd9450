#include "vt_pool/VtObjectFillAttribute.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "fill_type"},
    {2, "fill_colour"},
    {3, "fill_pattern", false},
};

}

VtObjectFillAttribute::VtObjectFillAttribute(uint16_t oid) : VtObject(oid, 25) {}

void VtObjectFillAttribute::walk(VtFieldWalker& fields)
{
    fields.u8("fill_type", fill_type);
    fields.colour("fill_colour", fill_colour);
    fields.reference("fill_pattern", fill_pattern);
    fields.macroCount("n_macros");
    fields.macros("macros");
}

VtAttributeTable VtObjectFillAttribute::attributes() const
{
    return attribute_ids;
}
