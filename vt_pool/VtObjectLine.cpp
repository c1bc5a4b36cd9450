#include "vt_pool/VtObjectLine.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "line_attributes"},
    {2, "width"},
    {3, "height"},
    {4, "line_direction"},
    {101, "size"},
};

}

VtObjectLine::VtObjectLine(uint16_t oid) : VtObject(oid, 13) {}

void VtObjectLine::walk(VtFieldWalker& fields)
{
    fields.reference("line_attributes", line_attributes);
    fields.size("size", size);
    fields.u8("line_direction", line_direction);
    fields.macroCount("n_macros");
    fields.macros("macros");
}

VtAttributeTable VtObjectLine::attributes() const
{
    return attribute_ids;
}
