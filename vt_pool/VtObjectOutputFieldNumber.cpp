#include "vt_pool/VtObjectOutputFieldNumber.h"
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
    {7, "offset"},
    {8, "scale"},
    {9, "number_of_decimals"},
    {10, "format"},
    {11, "horizontal_justification"},
    {101, "size"},
};

}

VtObjectOutputFieldNumber::VtObjectOutputFieldNumber(uint16_t oid) : VtObject(oid, 12) {}

void VtObjectOutputFieldNumber::walk(VtFieldWalker& fields)
{
    fields.size("size", size);
    fields.colour("background_colour", background_colour);
    fields.reference("font_attributes", font_attributes);
    fields.u8("options", options);
    fields.reference("variable_reference", variable_reference);
    fields.u32("value", value);
    fields.s32("offset", offset);
    fields.f32("scale", scale);
    fields.u8("number_of_decimals", number_of_decimals);
    fields.flag("format", format);
    fields.u8("horizontal_justification", horizontal_justification);
    fields.macroCount("n_macros");
    fields.macros("macros");
}

VtAttributeTable VtObjectOutputFieldNumber::attributes() const
{
    return attribute_ids;
}
