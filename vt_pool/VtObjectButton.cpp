#include "vt_pool/VtObjectButton.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "width"},
    {2, "height"},
    {3, "background_colour"},
    {100, "background_colour"},
    {4, "border_colour"},
    {5, "key_code"},
    {101, "size"},
};

}

VtObjectButton::VtObjectButton(uint16_t oid) : VtObject(oid, 6) {}

void VtObjectButton::walk(VtFieldWalker& fields)
{
    fields.size("size", size);
    fields.colour("background_colour", background_colour);
    fields.colour("border_colour", border_colour);
    fields.u8("key_code", key_code);
    fields.flag("latchable", latchable);
    fields.childCount("n_objects", childs);
    fields.macroCount("n_macros");
    fields.childs("childs", childs);
    fields.macros("macros");
}

VtAttributeTable VtObjectButton::attributes() const
{
    return attribute_ids;
}
