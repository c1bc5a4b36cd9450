#include "vt_pool/VtObjectOutputFieldString.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "width"},
    {2, "height"},
    {3, "background_colour"},
    {100, "background_colour"},
    {4, "font_attributes"},
    {5, "options"},
    {6, "variable_reference"},
    {7, "horizontal_justification"},
    {101, "size"},
};

}

VtObjectOutputFieldString::VtObjectOutputFieldString(uint16_t oid) : VtObject(oid, 11) {}

void VtObjectOutputFieldString::walk(VtFieldWalker& fields)
{
    fields.size("size", size);
    fields.colour("background_colour", background_colour);
    fields.reference("font_attributes", font_attributes);
    fields.u8("options", options);
    fields.reference("variable_reference", variable_reference);
    fields.u8("horizontal_justification", horizontal_justification);
    fields.string("value", value);
    fields.macroCount("n_macros");
    fields.macros("macros");
}

VtAttributeTable VtObjectOutputFieldString::attributes() const
{
    return attribute_ids;
}
