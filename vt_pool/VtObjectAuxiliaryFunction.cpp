#include "vt_pool/VtObjectAuxiliaryFunction.h"
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

VtObjectAuxiliaryFunction::VtObjectAuxiliaryFunction(uint16_t oid) : VtObject(oid, 29) {}

void VtObjectAuxiliaryFunction::walk(VtFieldWalker& fields)
{
    fields.colour("background_colour", background_colour);
    fields.u8("function_type", function_type);
    fields.childCount("n_objects", childs);
    fields.childs("childs", childs);
}

VtAttributeTable VtObjectAuxiliaryFunction::attributes() const
{
    return attribute_ids;
}
