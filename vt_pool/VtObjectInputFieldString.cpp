#include "vt_pool/VtObjectInputFieldString.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "width"},
    {2, "height"},
    {3, "background_colour"},
    {100, "background_colour"},
    {4, "font_attributes"},
    {5, "input_attributes"},
    {6, "options"},
    {7, "variable_reference"},
    {8, "horizontal_justification"},
    {101, "size"},
};

}

VtObjectInputFieldString::VtObjectInputFieldString(uint16_t oid) : VtObject(oid, 8) {}

void VtObjectInputFieldString::walk(VtFieldWalker& fields)
{
    fields.size("size", size);
    fields.colour("background_colour", background_colour);
    fields.reference("font_attributes", font_attributes);
    fields.reference("input_attributes", input_attributes);
    fields.u8("options", options);
    fields.reference("variable_reference", variable_reference);
    fields.u8("horizontal_justification", horizontal_justification);
    fields.stringL1("value", value);
    fields.flag("enabled", enabled);
    fields.macroCount("n_macros");
    fields.macros("macros");
}

VtAttributeTable VtObjectInputFieldString::attributes() const
{
    return attribute_ids;
}
