#include "vt_pool/VtObjectFontAttribute.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "font_colour"},
    {2, "font_size"},
    {3, "font_type"},
    {4, "font_style"},
};

}

VtObjectFontAttribute::VtObjectFontAttribute(uint16_t oid) : VtObject(oid, 23) {}

void VtObjectFontAttribute::walk(VtFieldWalker& fields)
{
    fields.colour("font_colour", font_colour);
    fields.u8("font_size", font_size);
    fields.u8("font_type", font_type);
    fields.u8("font_style", font_style);
    fields.macroCount("n_macros");
    fields.macros("macros");
}

VtAttributeTable VtObjectFontAttribute::attributes() const
{
    return attribute_ids;
}
