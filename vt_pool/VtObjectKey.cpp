#include "vt_pool/VtObjectKey.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "background_colour"},
    {100, "background_colour"},
    {2, "key_code"},
};

}

VtObjectKey::VtObjectKey(uint16_t oid) : VtObject(oid, 5) {}

void VtObjectKey::walk(VtFieldWalker& fields)
{
    fields.colour("background_colour", background_colour);
    fields.u8("key_code", key_code);
    fields.childCount("n_objects", childs);
    fields.macroCount("n_macros");
    fields.childs("childs", childs);
    fields.macros("macros");
}

VtAttributeTable VtObjectKey::attributes() const
{
    return attribute_ids;
}
