#include "vt_pool/VtObjectInputFieldBoolean.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "background_colour"},
    {100, "background_colour"},
    {2, "width"},
    {3, "foreground_colour"},
    {4, "variable_reference"},
};

}

VtObjectInputFieldBoolean::VtObjectInputFieldBoolean(uint16_t oid) : VtObject(oid, 7) {}

void VtObjectInputFieldBoolean::walk(VtFieldWalker& fields)
{
    fields.colour("background_colour", background_colour);
    fields.squareWidth("width", size);
    fields.reference("foreground_colour", foreground_colour);
    fields.reference("variable_reference", variable_reference);
    fields.u8("value", value);
    fields.flag("enabled", enabled);
    fields.macroCount("n_macros");
    fields.macros("macros");
}

VtAttributeTable VtObjectInputFieldBoolean::attributes() const
{
    return attribute_ids;
}
