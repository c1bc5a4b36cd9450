#include "vt_pool/VtObjectDataMask.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "background_colour"},
    {100, "background_colour"},
    {2, "soft_key_mask"},
};

}

VtObjectDataMask::VtObjectDataMask(uint16_t oid) : VtObject(oid, 1) {}

void VtObjectDataMask::walk(VtFieldWalker& fields)
{
    fields.colour("background_colour", background_colour);
    fields.reference("soft_key_mask", soft_key_mask);
    fields.childCount("n_objects", childs);
    fields.macroCount("n_macros");
    fields.childs("childs", childs);
    fields.macros("macros");
}

VtAttributeTable VtObjectDataMask::attributes() const
{
    return attribute_ids;
}
