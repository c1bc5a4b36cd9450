#include "vt_pool/VtObjectMeter.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "width"},
    {2, "needle_colour"},
    {3, "border_colour"},
    {4, "arc_and_tick_colour"},
    {5, "options"},
    {6, "number_of_ticks"},
    {7, "start_angle"},
    {8, "end_angle"},
    {9, "min_value"},
    {10, "max_value"},
    {11, "variable_reference"},
    {101, "size"},
};

}

VtObjectMeter::VtObjectMeter(uint16_t oid) : VtObject(oid, 17) {}

void VtObjectMeter::walk(VtFieldWalker& fields)
{
    fields.squareWidth("width", size);
    fields.colour("needle_colour", needle_colour);
    fields.colour("border_colour", border_colour);
    fields.colour("arc_and_tick_colour", arc_and_tick_colour);
    fields.u8("options", options);
    fields.u8("number_of_ticks", number_of_ticks);
    fields.u8("start_angle", start_angle);
    fields.u8("end_angle", end_angle);
    fields.u16("min_value", min_value);
    fields.u16("max_value", max_value);
    fields.reference("variable_reference", variable_reference);
    fields.u16("value", value);
    fields.macroCount("n_macros");
    fields.macros("macros");
}

VtAttributeTable VtObjectMeter::attributes() const
{
    return attribute_ids;
}
