#include "vt_pool/VtObjectArchedBarGraph.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "width"},
    {2, "height"},
    {3, "colour"},
    {4, "target_line_colour"},
    {5, "options"},
    {6, "start_angle"},
    {7, "end_angle"},
    {8, "bar_graph_width"},
    {9, "min_value"},
    {10, "max_value"},
    {11, "variable_reference"},
    {12, "target_value_variable_reference"},
    {13, "target_value"},
};

}

VtObjectArchedBarGraph::VtObjectArchedBarGraph(uint16_t oid) : VtObject(oid, 19) {}

void VtObjectArchedBarGraph::walk(VtFieldWalker& fields)
{
    fields.size("size", size);
    fields.colour("colour", colour);
    fields.colour("target_line_colour", target_line_colour);
    fields.u8("options", options);
    fields.u8("start_angle", start_angle);
    fields.u8("end_angle", end_angle);
    fields.u16("bar_graph_width", bar_graph_width);
    fields.u16("min_value", min_value);
    fields.u16("max_value", max_value);
    fields.reference("variable_reference", variable_reference);
    fields.u16("value", value);
    fields.reference("target_value_variable_reference", target_value_variable_reference);
    fields.u16("target_value", target_value);
    fields.macroCount("n_macros");
    fields.macros("macros");
}

VtAttributeTable VtObjectArchedBarGraph::attributes() const
{
    return attribute_ids;
}
