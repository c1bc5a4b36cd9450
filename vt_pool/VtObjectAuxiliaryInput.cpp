#include "vt_pool/VtObjectAuxiliaryInput.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, nullptr},
    {2, nullptr},
    {3, nullptr},
    {4, nullptr},
    {5, nullptr},
    {100, "background_colour"},
};

}

VtObjectAuxiliaryInput::VtObjectAuxiliaryInput(uint16_t oid) : VtObject(oid, 30) {}

void VtObjectAuxiliaryInput::walk(VtFieldWalker& fields)
{
    fields.colour("background_colour", background_colour);
    fields.u8("function_type", function_type);
    fields.u8("input_id", input_id);
    fields.childCount("n_objects", childs);
    fields.childs("childs", childs);
}

VtAttributeTable VtObjectAuxiliaryInput::attributes() const
{
    return attribute_ids;
}
