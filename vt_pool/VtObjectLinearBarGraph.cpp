#include "vt_pool/VtObjectLinearBarGraph.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "width"},
    {2, "height"},
    {3, "colour"},
    {4, "target_line_colour"},
    {5, "options"},
    {6, "number_of_ticks"},
    {7, "min_value"},
    {8, "max_value"},
    {9, "target_value_variable_reference"},
    {10, "target_value"},
    {11, "variable_reference"},
    {101, "size"},
};

}

VtObjectLinearBarGraph::VtObjectLinearBarGraph(uint16_t oid) : VtObject(oid, 18) {}

void VtObjectLinearBarGraph::walk(VtFieldWalker& fields)
{
    fields.size("size", size);
    fields.colour("colour", colour);
    fields.colour("target_line_colour", target_line_colour);
    fields.u8("options", options);
    fields.u8("number_of_ticks", number_of_ticks);
    fields.u16("min_value", min_value);
    fields.u16("max_value", max_value);
    fields.reference("variable_reference", variable_reference);
    fields.u16("value", value);
    fields.reference("target_value_variable_reference", target_value_variable_reference);
    fields.u16("target_value", target_value);
    fields.macroCount("n_macros");
    fields.macros("macros");
}

VtAttributeTable VtObjectLinearBarGraph::attributes() const
{
    return attribute_ids;
}
