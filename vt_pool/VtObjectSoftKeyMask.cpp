#include "vt_pool/VtObjectSoftKeyMask.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "background_colour"},
    {100, "background_colour"},
};

}

VtObjectSoftKeyMask::VtObjectSoftKeyMask(uint16_t oid) : VtObject(oid, 4) {}

void VtObjectSoftKeyMask::walk(VtFieldWalker& fields)
{
    fields.colour("background_colour", background_colour);
    fields.objectCount("n_objects", childs);
    fields.macroCount("n_macros");
    fields.objects("childs", childs);
    fields.macros("macros");
}

VtAttributeTable VtObjectSoftKeyMask::attributes() const
{
    return attribute_ids;
}
