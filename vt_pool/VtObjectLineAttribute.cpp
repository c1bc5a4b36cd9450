#include "vt_pool/VtObjectLineAttribute.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "line_colour"},
    {2, "line_width"},
    {3, "line_art"},
};

}

VtObjectLineAttribute::VtObjectLineAttribute(uint16_t oid) : VtObject(oid, 24) {}

void VtObjectLineAttribute::walk(VtFieldWalker& fields)
{
    fields.colour("line_colour", line_colour);
    fields.u8("line_width", line_width);
    fields.u16("line_art", line_art);
    fields.macroCount("n_macros");
    fields.macros("macros");
}

VtAttributeTable VtObjectLineAttribute::attributes() const
{
    return attribute_ids;
}
