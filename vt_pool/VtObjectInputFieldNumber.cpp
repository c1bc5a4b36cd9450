#include "vt_pool/VtObjectInputFieldNumber.h"
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
    {7, "min_value"},
    {8, "max_value"},
    {9, "offset"},
    {10, "scale"},
    {11, "number_of_decimals"},
    {12, "format"},
    {13, "horizontal_justification"},
    {101, "size"},
};

}

VtObjectInputFieldNumber::VtObjectInputFieldNumber(uint16_t oid) : VtObject(oid, 9) {}

void VtObjectInputFieldNumber::walk(VtFieldWalker& fields)
{
    fields.size("size", size);
    fields.colour("background_colour", background_colour);
    fields.reference("font_attributes", font_attributes);
    fields.u8("options", options);
    fields.reference("variable_reference", variable_reference);
    fields.u32("value", value);
    fields.u32("min_value", min_value);
    fields.u32("max_value", max_value);
    fields.s32("offset", offset);
    fields.f32("scale", scale);
    fields.u8("number_of_decimals", number_of_decimals);
    fields.flag("format", format);
    fields.u8("horizontal_justification", horizontal_justification);
    fields.flag("enabled", enabled);
    fields.macroCount("n_macros");
    fields.macros("macros");
}

VtAttributeTable VtObjectInputFieldNumber::attributes() const
{
    return attribute_ids;
}
